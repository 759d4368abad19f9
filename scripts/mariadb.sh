#!/usr/bin/env bash
# Throwaway MariaDB server for development and tests.
#
#   mariadb.sh start DIR PORT   create DIR/data on first use and start a server on
#                               127.0.0.1:PORT (root, empty password); returns when it answers
#   mariadb.sh stop DIR         shut the server of DIR down and wait until it is gone
#   mariadb.sh freeport         print a free loopback TCP port
#
# Every server and client command gets --no-defaults first, so no my.cnf of the machine
# (/etc/mysql, ~/.my.cnf) is ever read. The server speaks cp1250 / cp1250_czech_cs like the
# product family's production databases.
set -euo pipefail

PROG=$(basename "$0")
START_TIMEOUT=${MARIADB_START_TIMEOUT:-60}
STOP_TIMEOUT=${MARIADB_STOP_TIMEOUT:-60}

die() {
    echo "$PROG: $*" >&2
    exit 1
}

usage() {
    cat >&2 <<EOF
usage: $PROG start DIR PORT
       $PROG stop DIR
       $PROG freeport
EOF
    exit 2
}

find_tool() {
    local t
    for t in "$@"; do
        if command -v "$t" >/dev/null 2>&1; then
            command -v "$t"
            return 0
        fi
        if [ -x "/usr/sbin/$t" ]; then
            echo "/usr/sbin/$t"
            return 0
        fi
    done
    return 1
}

tools() {
    MARIADBD=$(find_tool mariadbd mysqld) || die "mariadbd not found (install mariadb-server)"
    INSTALL_DB=$(find_tool mariadb-install-db mysql_install_db) || die "mariadb-install-db not found"
    ADMIN=$(find_tool mariadb-admin mysqladmin) || die "mariadb-admin not found (install mariadb-client)"
    CLIENT=$(find_tool mariadb mysql) || die "mariadb client not found (install mariadb-client)"
}

# A Unix socket path must stay below ~107 bytes; a deep DIR gets its socket in /tmp instead.
socket_path() {
    local dir=$1 sock="$1/mysqld.sock"
    if [ ${#sock} -gt 100 ]; then
        sock="/tmp/mariadb-$(printf '%s' "$dir" | md5sum | cut -c1-16).sock"
    fi
    printf '%s\n' "$sock"
}

server_pid() {
    local dir=$1 pid
    [ -f "$dir/mysqld.pid" ] || return 1
    pid=$(tr -dc '0-9' <"$dir/mysqld.pid")
    [ -n "$pid" ] || return 1
    kill -0 "$pid" 2>/dev/null || return 1
    printf '%s\n' "$pid"
}

ping_socket() {
    [ -S "$1" ] && "$ADMIN" --no-defaults --protocol=socket --socket="$1" -uroot \
        --connect-timeout=2 ping >/dev/null 2>&1
}

# True when the server answering on 127.0.0.1:PORT is the one with the data directory DATA
# (another server may hold the port).
serves_port() {
    local port=$1 data=$2 got
    got=$("$CLIENT" --no-defaults --protocol=tcp -h127.0.0.1 -P "$port" -uroot \
        --connect-timeout=2 --batch --skip-column-names -e 'select @@datadir' 2>/dev/null) || return 1
    [ "${got%/}" = "${data%/}" ]
}

show_log() {
    local log=$1
    if [ -f "$log" ]; then
        echo "---- last lines of $log ----" >&2
        tail -n 40 "$log" >&2
    fi
}

cmd_start() {
    [ $# -eq 2 ] || usage
    local dir=$1 port=$2 pid
    if ! [[ "$port" =~ ^[0-9]+$ ]] || [ "$port" -lt 1 ] || [ "$port" -gt 65535 ]; then
        die "bad port: $port"
    fi
    tools
    mkdir -p "$dir"
    dir=$(cd "$dir" && pwd -P)
    local data="$dir/data" log="$dir/mysqld.log" pidfile="$dir/mysqld.pid"
    local sock
    sock=$(socket_path "$dir")

    if pid=$(server_pid "$dir"); then
        if serves_port "$port" "$data"; then
            echo "$PROG: server of $dir already running (pid $pid, port $port)"
            return 0
        fi
        die "a server of $dir is already running (pid $pid) but not on port $port"
    fi

    if [ ! -d "$data/mysql" ]; then
        rm -rf "$data"
        mkdir -p "$data"
        if ! "$INSTALL_DB" --no-defaults --user=root --datadir="$data" \
            --auth-root-authentication-method=normal --skip-test-db \
            --skip-name-resolve --innodb-log-file-size=16M --innodb-buffer-pool-size=64M \
            >"$dir/install.log" 2>&1; then
            show_log "$dir/install.log"
            die "mariadb-install-db failed"
        fi
    fi

    rm -f "$pidfile" "$sock"
    echo "---- $(date '+%Y-%m-%d %H:%M:%S') start on port $port ----" >>"$log"
    # setsid and redirected descriptors: the server must not hold the caller's terminal or
    # pipes (CTest waits for the pipes of a test to close).
    setsid "$MARIADBD" --no-defaults --user=root \
        --datadir="$data" \
        --port="$port" --bind-address=127.0.0.1 \
        --socket="$sock" --pid-file="$pidfile" \
        --character-set-server=cp1250 --collation-server=cp1250_czech_cs \
        --skip-log-bin --skip-name-resolve \
        --innodb-buffer-pool-size=64M --innodb-log-file-size=16M \
        --innodb-flush-log-at-trx-commit=2 --innodb-doublewrite=0 \
        --max-connections=200 \
        --log-error="$log" \
        </dev/null >>"$log" 2>&1 &
    local spid=$!
    echo "$spid" >"$dir/mysqld.launch"

    # The socket belongs to this server alone; it is created after the TCP port is bound.
    local waited=0
    while ! ping_socket "$sock"; do
        if ! kill -0 "$spid" 2>/dev/null; then
            show_log "$log"
            die "server exited during start-up"
        fi
        if [ "$waited" -ge $((START_TIMEOUT * 5)) ]; then
            show_log "$log"
            cmd_stop "$dir" >/dev/null || true
            die "server did not answer within ${START_TIMEOUT}s"
        fi
        sleep 0.2
        waited=$((waited + 1))
    done
    if ! serves_port "$port" "$data"; then
        show_log "$log"
        cmd_stop "$dir" >/dev/null || true
        die "port $port does not reach the new server (taken by another one?)"
    fi
    # The pid file is written before the server accepts connections; keep the launcher's pid
    # as a fallback for stop when it is missing.
    [ -f "$pidfile" ] || echo "$spid" >"$pidfile"
    echo "$PROG: server of $dir running on 127.0.0.1:$port (pid $spid)"
}

cmd_stop() {
    [ $# -eq 1 ] || usage
    local dir=$1
    [ -d "$dir" ] || return 0
    tools
    dir=$(cd "$dir" && pwd -P)
    local sock pid
    sock=$(socket_path "$dir")
    pid=$(server_pid "$dir") || pid=""
    if [ -z "$pid" ] && [ -f "$dir/mysqld.launch" ]; then
        pid=$(tr -dc '0-9' <"$dir/mysqld.launch")
        if [ -n "$pid" ] && ! kill -0 "$pid" 2>/dev/null; then pid=""; fi
    fi
    if [ -z "$pid" ]; then
        rm -f "$sock"
        return 0
    fi
    # The process must really be this directory's server before anything is killed.
    if [ -r "/proc/$pid/cmdline" ] && ! tr '\0' ' ' <"/proc/$pid/cmdline" | grep -qF -- "--datadir=$dir/data"; then
        echo "$PROG: pid $pid is not the server of $dir; leaving it alone" >&2
        rm -f "$dir/mysqld.pid" "$dir/mysqld.launch"
        return 0
    fi

    if [ -S "$sock" ]; then
        timeout 30 "$ADMIN" --no-defaults --protocol=socket --socket="$sock" -uroot \
            shutdown >/dev/null 2>&1 || true
    fi
    local waited=0
    while kill -0 "$pid" 2>/dev/null; do
        if [ "$waited" -eq $((STOP_TIMEOUT * 5)) ]; then
            kill -TERM "$pid" 2>/dev/null || true
        elif [ "$waited" -ge $((STOP_TIMEOUT * 5 + 100)) ]; then
            kill -KILL "$pid" 2>/dev/null || true
        fi
        if [ "$waited" -ge $((STOP_TIMEOUT * 5 + 150)) ]; then
            die "server $pid of $dir did not stop"
        fi
        sleep 0.2
        waited=$((waited + 1))
    done
    rm -f "$sock" "$dir/mysqld.pid" "$dir/mysqld.launch"
    echo "$PROG: server of $dir stopped"
}

# A port is free when it can be bound on 127.0.0.1. Ports are taken below the kernel's
# ephemeral range so that outgoing connections do not grab them meanwhile.
port_free() {
    local p=$1
    if command -v python3 >/dev/null 2>&1; then
        python3 - "$p" <<'EOF' 2>/dev/null
import socket, sys
s = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
try:
    s.bind(("127.0.0.1", int(sys.argv[1])))
except OSError:
    sys.exit(1)
finally:
    s.close()
EOF
    else
        # Nobody listens when the connection is refused.
        if (exec 3<>"/dev/tcp/127.0.0.1/$p") 2>/dev/null; then
            return 1
        fi
        return 0
    fi
}

cmd_freeport() {
    [ $# -eq 0 ] || usage
    local lo=20000 hi=32000 span start i p
    span=$((hi - lo))
    start=$(( (RANDOM * 32768 + RANDOM + $$) % span ))
    for ((i = 0; i < 500; i++)); do
        p=$((lo + (start + i * 37) % span))
        if port_free "$p"; then
            echo "$p"
            return 0
        fi
    done
    die "no free port found"
}

[ $# -ge 1 ] || usage
cmd=$1
shift
case "$cmd" in
    start) cmd_start "$@" ;;
    stop) cmd_stop "$@" ;;
    freeport) cmd_freeport "$@" ;;
    *) usage ;;
esac
