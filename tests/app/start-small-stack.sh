#!/bin/sh
# Starts the program with a data file, then without, on a stack of 1 MB and
# the offscreen platform: each start must still be running after 5 seconds.
# Opening a file at start once took 4 to 5 MB of stack (the project tables
# were copied on it), so a smaller stack limit crashed it.
#   usage: start-small-stack.sh TUBAREX PROJECT
program=$1
project=$2
failed=0
for with_file in yes no; do
    if [ "$with_file" = yes ]; then set -- "$project"; else set --; fi
    (ulimit -s 1024 && QT_QPA_PLATFORM=offscreen exec timeout -s TERM 5 "$program" "$@") \
        >/dev/null 2>&1
    status=$?
    if [ "$status" -ne 124 ]; then
        echo "start with file: $with_file: ended by itself with status $status"
        failed=1
    fi
done
exit $failed
