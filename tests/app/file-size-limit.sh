#!/bin/sh
# Every output of the command line, written under a file-size limit of two
# blocks (1 or 2 KB, as the shell counts them) and with no trap for the signal
# the system sends at the limit: each must end with exit status 2 and a
# message, and the file it was to replace must stay byte for byte.
#   usage: file-size-limit.sh TUBAREX-CLI PROJECT SCRATCH-FOLDER
set -u
cli=$1
project=$2
work=$3
rm -rf "$work"
mkdir -p "$work" || exit 1
failures=0

check() {
    name=$1
    shift
    out="$work/$name"
    printf 'contenuto precedente di %s\n' "$name" >"$out"
    before=$(cksum <"$out")
    (ulimit -f 2 && exec "$cli" "$@" "$out") 2>"$work/err"
    status=$?
    if [ "$status" -ne 2 ]; then
        echo "FAIL $name: exit status $status, expected 2"
        failures=$((failures + 1))
    elif [ ! -s "$work/err" ]; then
        echo "FAIL $name: no message"
        failures=$((failures + 1))
    elif [ "$(cksum <"$out")" != "$before" ]; then
        echo "FAIL $name: the previous file was changed"
        failures=$((failures + 1))
    else
        echo "ok   $name: $(head -c 160 "$work/err")"
    fi
}

# A project large enough that each of its outputs passes the limit.
big="$work/Tubarex-dati-grande"
{
    printf '400\r\n'
    i=0
    while [ $i -lt 400 ]; do
        printf '"100","100","10","liscio","0.002",,"2",,,,,\r\n'
        i=$((i + 1))
    done
    printf '0\r\n"Prova","","","","","",""\r\n'
} >"$big"

check resave resave "$big"
check text print water "$big" --text
check pdf print water "$big" --pdf
check docx print water "$big" --docx
check form form water
check sheet sheet "$project"
exit $((failures > 0))
