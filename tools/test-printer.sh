#!/usr/bin/env bash
# Runs a command with a real default printer where the machine allows it.
#
#   tools/test-printer.sh <command> [arguments...]
#
# As root, with CUPS and its PDF backend installed, a private CUPS scheduler
# (its own configuration, spool and socket, so that a system scheduler or a
# second run is never disturbed) offers one PDF printer as the default. The
# printer writes into a fresh empty folder whose path the command finds in
# QUILLMERE_TEST_PRINTER_OUTPUT. The scheduler is stopped again however the
# command ends, and the command's exit status is returned. Anywhere else the
# command simply runs.
set -uo pipefail

if (($# == 0)); then
    echo "usage: $0 <command> [arguments...]" >&2
    exit 2
fi

cupsd=/usr/sbin/cupsd
backend=/usr/lib/cups/backend/cups-pdf
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
if ((EUID != 0)) || [[ ! -x $cupsd || ! -x $backend || ! -f $ppd ]] ||
    ! command -v lpadmin >/dev/null || ! command -v lpstat >/dev/null; then
    exec "$@"
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/quillmere-printer.XXXXXX") || exec "$@"
chmod 755 "$work"
queue="QuillmereTest$$"
# The PDF backend reads its settings from /etc/cups/cups-pdf-NAME.conf for
# the device "cups-pdf:/NAME"; that file is ours and goes again at the end.
backend_conf="/etc/cups/cups-pdf-$queue.conf"
cupsd_pid=""

stop_printer() {
    if [[ -n $cupsd_pid ]] && kill -0 "$cupsd_pid" 2>/dev/null; then
        kill -TERM "$cupsd_pid" 2>/dev/null
        for _ in $(seq 50); do
            kill -0 "$cupsd_pid" 2>/dev/null || break
            sleep 0.1
        done
        kill -KILL "$cupsd_pid" 2>/dev/null
        wait "$cupsd_pid" 2>/dev/null
    fi
    rm -f "$backend_conf"
    rm -rf "$work"
}
trap stop_printer EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

output="$work/output"
mkdir -p "$work/etc/ppd" "$work/spool/tmp" "$work/state" "$work/cache" "$work/log" "$output"
chmod 700 "$work/spool/tmp"
chmod 1777 "$output"

# The system's access rules, reached only through a private socket.
grep -Ev '^[[:space:]]*(Listen|Port|Browsing|BrowseLocalProtocols|IdleExitTimeout|WebInterface)\b' \
    /etc/cups/cupsd.conf >"$work/etc/cupsd.conf"
cat >>"$work/etc/cupsd.conf" <<CONF
Listen $work/cups.sock
Browsing No
WebInterface No
CONF
cat >"$work/etc/cups-files.conf" <<CONF
SystemGroup root lpadmin
PeerCred on
ServerRoot $work/etc
RequestRoot $work/spool
TempDir $work/spool/tmp
StateDir $work/state
CacheDir $work/cache
AccessLog $work/log/access_log
ErrorLog $work/log/error_log
PageLog $work/log/page_log
CONF
cat >"$backend_conf" <<CONF
Out $output
AnonDirName $output
Log $work/log
Label 0
CONF

export CUPS_SERVER="$work/cups.sock"
"$cupsd" -f -c "$work/etc/cupsd.conf" -s "$work/etc/cups-files.conf" &
cupsd_pid=$!

ready=""
for _ in $(seq 100); do
    if lpstat -r 2>/dev/null | grep -q "is running"; then
        ready=yes
        break
    fi
    kill -0 "$cupsd_pid" 2>/dev/null || break
    sleep 0.1
done

if [[ -n $ready ]] &&
    lpadmin -p "$queue" -E -v "cups-pdf:/$queue" -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd \
        -o pdftops-renderer-default=pdftocairo 2>"$work/log/lpadmin" &&
    lpadmin -d "$queue" 2>>"$work/log/lpadmin"; then
    export QUILLMERE_TEST_PRINTER_OUTPUT="$output"
else
    echo "test-printer: no test printer could be set up; running without one" >&2
    cat "$work/log/lpadmin" "$work/log/error_log" 2>/dev/null | tail -5 >&2
    stop_printer
    cupsd_pid=""
    unset CUPS_SERVER
    trap - EXIT
fi

"$@"
status=$?
exit "$status"
