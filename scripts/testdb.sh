#!/usr/bin/env bash
# The throwaway MariaDB server shared by one test run (CTest fixture "mariadb").
#
#   testdb.sh start DIR   start a server with its data in DIR on a free loopback port and
#                         write the port into DIR/port; a server of DIR that still answers
#                         is reused
#   testdb.sh stop DIR    stop that server and remove DIR
#
# The tests create a database of their own on it (tests/testdb.cpp).
set -euo pipefail

PROG=$(basename "$0")
HERE=$(cd "$(dirname "$0")" && pwd)
MARIADB="$HERE/mariadb.sh"
MARKER=".ketrix-testdb"

die() {
    echo "$PROG: $*" >&2
    exit 1
}

usage() {
    echo "usage: $PROG start DIR | $PROG stop DIR" >&2
    exit 2
}

# The tests run with the Prague time zone; the server's NOW() and CURDATE() must agree.
if [ -z "${TZ:-}" ] && [ -e /usr/share/zoneinfo/Europe/Prague ]; then
    export TZ=Europe/Prague
fi

admin() {
    local t
    for t in mariadb-admin mysqladmin; do
        if command -v "$t" >/dev/null 2>&1; then
            "$t" --no-defaults "$@"
            return
        fi
    done
    return 127
}

answers() {
    admin --protocol=tcp -h127.0.0.1 -P "$1" -uroot --connect-timeout=2 ping >/dev/null 2>&1
}

server_alive() {
    local pid
    [ -f "$1/mysqld.pid" ] || return 1
    pid=$(tr -dc '0-9' <"$1/mysqld.pid")
    [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null
}

cmd_start() {
    local dir=$1 port attempt
    mkdir -p "$dir"
    dir=$(cd "$dir" && pwd -P)
    touch "$dir/$MARKER"

    if [ -f "$dir/port" ]; then
        port=$(tr -dc '0-9' <"$dir/port")
        if [ -n "$port" ] && server_alive "$dir" && answers "$port"; then
            echo "$PROG: reusing the server of $dir on port $port"
            return 0
        fi
        rm -f "$dir/port"
        # A server of an earlier run that no longer answers is stopped first.
        "$MARIADB" stop "$dir" || true
    fi

    # Another process may take the chosen port before the server binds it: try again then.
    for attempt in 1 2 3; do
        port=$("$MARIADB" freeport)
        if "$MARIADB" start "$dir" "$port"; then
            echo "$port" >"$dir/port.new"
            mv "$dir/port.new" "$dir/port"
            echo "$PROG: server of $dir on port $port"
            return 0
        fi
        if ! tail -n 40 "$dir/mysqld.log" 2>/dev/null | grep -qiE "bind on tcp/ip port|address already in use"; then
            break
        fi
        echo "$PROG: port $port was taken, trying another one (attempt $attempt)" >&2
    done
    die "could not start the test server in $dir"
}

cmd_stop() {
    local dir=$1
    [ -d "$dir" ] || return 0
    dir=$(cd "$dir" && pwd -P)
    case "$dir" in
        / | /root | /home | /tmp | /work | "$HOME") die "refusing to remove $dir" ;;
    esac
    "$MARIADB" stop "$dir"
    # Remove only what this script set up.
    if [ -f "$dir/$MARKER" ]; then
        rm -rf "$dir"
    else
        echo "$PROG: $dir was not made by $PROG; left in place" >&2
    fi
}

[ $# -eq 2 ] || usage
case "$1" in
    start) cmd_start "$2" ;;
    stop) cmd_stop "$2" ;;
    *) usage ;;
esac
