#!/usr/bin/env bash
# Benchmark of the plan list rebuild against the mariadb command-line client running the same
# two statements. Starts its own throwaway MariaDB, generates ROWS plan rows of one centre
# over three years, prints medians, their ratio and memory figures, stops the server.
#   bench/run.sh [ROWS] [REPEATS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
rows=${1:-100000}
repeats=${2:-9}
"$root/scripts/deps.sh"
"$root/scripts/build.sh" >/dev/null

tmp=$(mktemp -d /tmp/ketrix-bench.XXXXXX)
trap '"$root/scripts/mariadb.sh" stop "$tmp/db" >/dev/null 2>&1 || true; rm -rf "$tmp"' EXIT
port=$("$root/scripts/mariadb.sh" freeport)
"$root/scripts/mariadb.sh" start "$tmp/db" "$port" >/dev/null
client=(mariadb --no-defaults -h127.0.0.1 -P"$port" -uroot --default-character-set=utf8mb4)
"${client[@]}" -e "CREATE DATABASE bench CHARACTER SET cp1250 COLLATE cp1250_czech_cs"
"${client[@]}" bench <"$root/schema/schema.sql"
"${client[@]}" bench <<SQL
INSERT INTO korvan (podnik, zakl_mj) VALUES ('0123', 't');
INSERT INTO strtopc (stred, nazevstr) VALUES ('101', 'Úpravna Kroměříž'), ('102', 'Středisko Hulín');
INSERT INTO vuplan (datum, datumtext, stredisko, strnazev, partie, podnik, poradi, partiecela, nomenkla,
                    nazevosiva, druh, naz_dru, odruda, naz_odru, stupen, mj, hmotnostpp, hmotnocist,
                    zapsano, cislodokla, kodpar, komodita)
SELECT d, CONCAT(ELT(WEEKDAY(d) + 1, 'pondělí', 'úterý', 'středa', 'čtvrtek', 'pátek', 'sobota', 'neděle'), ' ',
                 DAY(d), '.', MONTH(d), '.', YEAR(d)),
       '101', 'Úpravna Kroměříž',
       CONCAT(RIGHT(YEAR(d), 2), LPAD(seq MOD 99999, 5, '0'), '00'), '0123', LPAD(seq MOD 7, 2, '0'),
       CONCAT(RIGHT(YEAR(d), 2), '-0123-', LPAD(seq MOD 99999, 5, '0'), '-', LPAD(seq MOD 7, 2, '0')),
       CONCAT('15', LPAD(seq MOD 40, 2, '0'), 'C1'),
       ELT(seq MOD 5 + 1, 'pš.oz. Bohemia C1', 'ječ.jar. Sebastian SE', 'řepka Rohan SE', 'oves Zorro C1', 'hrách Gambit C2'),
       ELT(seq MOD 5 + 1, 'PSO', 'JEJ', 'REP', 'OVS', 'HRA'),
       ELT(seq MOD 5 + 1, 'pšenice ozimá', 'ječmen jarní', 'řepka ozimá', 'oves setý', 'hrách setý'),
       LPAD(seq MOD 40, 4, '0'),
       ELT(seq MOD 5 + 1, 'Bohemia', 'Sebastian', 'Rohan', 'Zorro', 'Gambit'),
       ELT(seq MOD 3 + 1, 'C1', 'C2', 'SE'), 't', (seq MOD 250) / 10 + 0.5, (seq MOD 240) / 10,
       d + INTERVAL (seq MOD 36000) SECOND, LPAD(seq DIV 20, 7, '0'), LPAD(seq MOD 300, 5, '0'),
       ELT(seq MOD 3 + 1, 'obiloviny', 'olejniny', 'luskoviny')
FROM (SELECT seq, DATE(CONCAT(YEAR(CURDATE()) - 2, '-01-01')) + INTERVAL (seq MOD 1095) DAY AS d
      FROM seq_1_to_${rows}) s;
INSERT INTO vuplan (datum, stredisko, partiecela, hmotnostpp) SELECT CURDATE(), '102', 'x', 1 FROM seq_1_to_1000;
SQL

cd "$tmp"
QT_QPA_PLATFORM=offscreen LANG=cs_CZ.UTF-8 "$root/build/bench/bench_udelejsql" "$port" bench "$repeats"
