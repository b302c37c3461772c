#!/usr/bin/env bash
# The command line against hostile inputs and failing writes.
#
#   tests/hostile/run.sh [TUBAREX-CLI]      (default build/bin/tubarex-cli)
#
# Every run must end by itself within its time (no hang), with the exit status
# the README gives (never a signal: no crash, no abort, no size-limit kill),
# with a short message free of control characters when it fails, and without
# touching the file, pipe, device or folder that it could not replace (checked
# by checksum). A case that this machine cannot set up (a user whom
# permissions do not stop, no right to mount or to make a device node) is
# skipped with the reason. Exit status 1 when any case fails.
set -u

here=$(cd "$(dirname "$0")/../.." && pwd)
cli=$(realpath "${1:-$here/build/bin/tubarex-cli}")
example=$here/examples/Tubarex-dati-palazzina
[ -x "$cli" ] || { echo "hostile: $cli is not an executable" >&2; exit 2; }

work=$(mktemp -d "${TMPDIR:-/tmp}/tubarex-hostile.XXXXXX")
mounted=
cleanup() {
    [ -n "$mounted" ] && umount "$mounted" 2>/dev/null
    chmod -R u+rwx "$work" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

passed=0 failed=0 skipped=0
pass() { passed=$((passed + 1)); echo "ok    $*"; }
fail() { failed=$((failed + 1)); echo "FAIL  $*"; }
skip() { skipped=$((skipped + 1)); echo "skip  $*"; }

# Runs the command line with the limits of the case: no core files, at most
# 2 GB of memory (a reader that never stops runs out of it and aborts),
# 30 seconds. Extra shell limits come in $limits. Sets $status and leaves the
# messages in $work/err.
limits=
as_user=()
run() {
    (
        ulimit -c 0
        ulimit -v 2000000
        eval "$limits"
        exec timeout -k 5 30 "${as_user[@]}" "$cli" "$@"
    ) >"$work/out" 2>"$work/err"
    status=$?
}

# Checks $status against the expected one and the message of a failure.
judge() {
    local what=$1 expected=$2
    if [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
        fail "$what: hangs (stopped after 30 s)"
        return 1
    elif [ "$status" -ge 128 ]; then
        fail "$what: ended by signal $((status - 128))"
        return 1
    elif [ "$status" -ne "$expected" ]; then
        fail "$what: exit status $status, expected $expected: $(head -c 200 "$work/err")"
        return 1
    fi
    if [ "$expected" -ne 0 ]; then
        local size
        size=$(grep -av '^QStandardPaths' "$work/err" | wc -c)
        if [ "$size" -eq 0 ]; then
            fail "$what: no message"
            return 1
        elif [ "$size" -gt 2000 ]; then
            fail "$what: a message of $size bytes"
            return 1
        elif [ "$(LC_ALL=C tr -d '\011\012\040-\176\200-\377' <"$work/err" | wc -c)" -ne 0 ]; then
            fail "$what: control characters in the message"
            return 1
        fi
    fi
    return 0
}

# What a path is, down to its bytes: type, and checksum of a regular file.
fingerprint() {
    if [ -L "$1" ]; then echo "link $(readlink "$1")"
    elif [ -p "$1" ]; then echo pipe
    elif [ -c "$1" ]; then echo "device $(stat -c %t:%T "$1")"
    elif [ -d "$1" ]; then echo "folder $(ls -A "$1" | cksum)"
    elif [ -f "$1" ]; then echo "file $(cksum <"$1")"
    else echo missing
    fi
}

# Drops the rights that let root read and write regardless of permissions,
# so that an unreadable file or a read-only folder means the same for every
# user. Empty when permissions stop this user already; "no" when they cannot
# be made to.
unprivileged() {
    if [ "$(id -u)" -ne 0 ]; then
        echo ""
    elif setpriv --inh-caps=-dac_override,-dac_read_search \
        --bounding-set=-dac_override,-dac_read_search -- true 2>/dev/null; then
        echo "setpriv --inh-caps=-dac_override,-dac_read_search --bounding-set=-dac_override,-dac_read_search --"
    else
        echo no
    fi
}
drop=$(unprivileged)

# ---------------------------------------------------------------- inputs --
inputs=$work/inputs
mkdir -p "$inputs"
: >"$inputs/vuoto"
head -c 65536 "$cli" >"$inputs/binario"
head -c 65536 /dev/zero >"$inputs/zeri"
truncate -s 17M "$inputs/enorme-rado"
{ head -c 15000000 /dev/zero | tr '\0' x; printf '\033[31m\007\r\n'; } >"$inputs/gettone-15MB"
head -c 700 "$example" >"$inputs/troncato"
sed 's/\r$//' "$example" >"$inputs/solo-LF"
printf '0\r\n\033]0;titolo\007\r\n"","","","","","",""\r\n' >"$inputs/controlli"
mkdir -p "$inputs/cartella"
mkfifo "$inputs/pipe"
ln -s /dev/zero "$inputs/link-a-dev-zero"
ln -s anello "$inputs/anello"
cp "$example" "$inputs/illeggibile"
chmod 000 "$inputs/illeggibile"

bad_inputs=(vuoto binario zeri enorme-rado gettone-15MB troncato controlli cartella pipe
    link-a-dev-zero anello inesistente /dev/zero /dev/urandom /dev/null)
for name in "${bad_inputs[@]}"; do
    case $name in /*) path=$name ;; *) path=$inputs/$name ;; esac
    for command in calc "calc --json" check resave print-text sheet; do
        case $command in
        resave) args=(resave "$path" "$work/copia") ;;
        print-text) args=(print water "$path" --text "$work/acqua.txt") ;;
        sheet) args=(sheet "$path" "$work/scheda.docx") ;;
        *) read -ra args <<<"$command" && args+=("$path") ;;
        esac
        rm -f "$work/copia" "$work/acqua.txt" "$work/scheda.docx"
        run "${args[@]}"
        if judge "input $name, $command" 2; then
            if [ -e "$work/copia" ] || [ -e "$work/acqua.txt" ] || [ -e "$work/scheda.docx" ]; then
                fail "input $name, $command: an output was written"
            else
                pass "input $name, $command: exit 2, $(head -c 100 "$work/err" | tr '\n' ' ')"
            fi
        fi
    done
done

# Unreadable: refused for a user whom permissions stop.
if [ "$drop" = no ]; then
    skip "input illeggibile: running as root and the rights cannot be dropped"
else
    read -ra as_user <<<"$drop"
    run calc "$inputs/illeggibile"
    judge "input illeggibile, calc" 2 && pass "input illeggibile, calc: exit 2"
    as_user=()
fi

# A file with bare line feeds reads, and is written back with CR LF.
run resave "$inputs/solo-LF" "$work/da-LF"
if judge "input solo-LF, resave" 0; then
    if cmp -s "$work/da-LF" "$example"; then
        pass "input solo-LF, resave: exit 0, written back with CR LF"
    else
        fail "input solo-LF, resave: written back differently"
    fi
fi

# A stack of 1 MB is enough for every command (the tables live on the heap).
limits="ulimit -s 1024"
for command in calc check; do
    run "$command" "$example"
    judge "stack 1 MB, $command" 0 && pass "stack 1 MB, $command: exit 0"
done
limits=

# ---------------------------------------------------------------- writes --
# Each output command, given the name of the file it replaces.
outputs=(resave text pdf docx form sheet)
write_args() {
    case $1 in
    resave) args=(resave "$example" "$2") ;;
    text) args=(print water "$example" --text "$2") ;;
    pdf) args=(print water "$example" --pdf "$2") ;;
    docx) args=(print water "$example" --docx "$2") ;;
    form) args=(form gas "$2") ;;
    sheet) args=(sheet "$example" "$2") ;;
    esac
}

# Runs every output against `target` as the scenario set it up: it must fail
# with exit 2 and leave the target, and the folder around it, as they were.
expect_refusal() {
    local scenario=$1 target=$2
    local folder
    folder=$(dirname "$target")
    for output in "${outputs[@]}"; do
        write_args "$output" "$target"
        local before around
        before=$(fingerprint "$target")
        around=$(fingerprint "$folder")
        run "${args[@]}"
        if judge "$scenario, $output" 2; then
            if [ "$(fingerprint "$target")" != "$before" ]; then
                fail "$scenario, $output: the target was changed"
            elif [ "$(fingerprint "$folder")" != "$around" ]; then
                fail "$scenario, $output: a file was left beside the target"
            else
                pass "$scenario, $output: exit 2, target intact: $(head -c 100 "$work/err" | tr '\n' ' ')"
            fi
        fi
    done
}

old_file() {
    printf 'contenuto precedente\n' >"$1"
}

# The control: a plain writable target is replaced, exit 0.
mkdir -p "$work/scrivibile"
for output in "${outputs[@]}"; do
    target=$work/scrivibile/$output
    old_file "$target"
    write_args "$output" "$target"
    before=$(fingerprint "$target")
    run "${args[@]}"
    if judge "writable folder, $output" 0; then
        if [ "$(fingerprint "$target")" = "$before" ]; then
            fail "writable folder, $output: the file was not replaced"
        else
            pass "writable folder, $output: exit 0, file replaced"
        fi
    fi
done

# A folder without write permission.
if [ "$drop" = no ]; then
    skip "read-only folder: running as root and the rights cannot be dropped"
else
    mkdir -p "$work/protetta"
    old_file "$work/protetta/uscita"
    chmod 555 "$work/protetta"
    read -ra as_user <<<"$drop"
    expect_refusal "read-only folder" "$work/protetta/uscita"
    as_user=()
    chmod 755 "$work/protetta"
fi

# A file-size limit of 1 KB, with nothing to catch the signal it sends.
mkdir -p "$work/limite"
old_file "$work/limite/uscita"
limits="ulimit -f 1"
expect_refusal "file-size limit" "$work/limite/uscita"
# The same with the signal ignored: each write past the limit comes up short.
limits="ulimit -f 1; trap '' XFSZ"
expect_refusal "file-size limit, signal ignored" "$work/limite/uscita"
limits=

# A full disk: a small file system filled up after the old file was put in.
mkdir -p "$work/piccolo"
if mount -t tmpfs -o size=256k tmpfs "$work/piccolo" 2>/dev/null; then
    mounted=$work/piccolo
    mkdir -p "$work/piccolo/dati"
    old_file "$work/piccolo/dati/uscita"
    head -c 1000000 /dev/zero >"$work/piccolo/riempitivo" 2>/dev/null
    expect_refusal "full disk" "$work/piccolo/dati/uscita"
    umount "$work/piccolo" && mounted=
else
    skip "full disk: no right to mount a small file system"
fi

# Targets that are not regular files: a pipe, a device node, links to them,
# a folder, and a folder that does not exist. The nodes are made here, never
# taken from /dev: a program that got this wrong would replace them.
mkfifo "$work/pipe-uscita"
expect_refusal "target a pipe" "$work/pipe-uscita"
ln -s pipe-uscita "$work/link-a-pipe"
expect_refusal "target a link to a pipe" "$work/link-a-pipe"
if mknod "$work/nulla" c 1 3 2>/dev/null; then
    expect_refusal "target a device node" "$work/nulla"
    ln -s nulla "$work/link-a-nulla"
    expect_refusal "target a link to a device node" "$work/link-a-nulla"
else
    skip "target a device node: no right to make one"
fi
mkdir -p "$work/cartella-uscita/dentro"
expect_refusal "target a folder" "$work/cartella-uscita"
expect_refusal "target in a missing folder" "$work/manca/uscita"

echo "hostile: $passed passed, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ]
