-- Demo data for development and tests (UTF-8 text; load with
--   mariadb --no-defaults --default-character-set=utf8mb4 DBNAME < demo.sql
-- after schema.sql). Everything is computed from sequence numbers; only the plan rows
-- move with the date on which the script is loaded: they cover the months from a year
-- back to the month after the current one, so that the plan window always has rows
-- in the months it starts with.

-- Company ------------------------------------------------------------------------------
INSERT INTO korvan (podnik, nazevpodni, sidlo, ico, zakl_mj)
VALUES ('0123', 'Osiva Haná a.s.', 'Kroměříž, Hulínská 2841', '25512345', 't');

-- Centres ------------------------------------------------------------------------------
INSERT INTO strtopc (stred, nazevstr) VALUES
  ('101', 'Úpravna Kroměříž'),
  ('102', 'Středisko Hulín'),
  ('103', 'Úpravna Přerov'),
  ('104', 'Sklad Holešov'),
  ('105', 'Čistírna Chropyně');

-- Variety catalogue used to fill the tables below (dropped at the end) ------------------
CREATE TEMPORARY TABLE demo_odrudy (
  k INT NOT NULL PRIMARY KEY,
  druh VARCHAR(5) NOT NULL,
  naz_dru VARCHAR(40) NOT NULL,
  zkratka VARCHAR(20) NOT NULL,
  odruda VARCHAR(6) NOT NULL,
  naz_odru VARCHAR(40) NOT NULL,
  komodita VARCHAR(20) NOT NULL,
  vynos DECIMAL(5,2) NOT NULL          -- t/ha
);
INSERT INTO demo_odrudy VALUES
  ( 1, 'PSO', 'pšenice ozimá',   'pš.oz.',  '1101', 'Bohemia',    'obiloviny', 7.20),
  ( 2, 'PSO', 'pšenice ozimá',   'pš.oz.',  '1102', 'Julie',      'obiloviny', 7.50),
  ( 3, 'PSO', 'pšenice ozimá',   'pš.oz.',  '1103', 'Rivero',     'obiloviny', 7.80),
  ( 4, 'PSJ', 'pšenice jarní',   'pš.jar.', '1201', 'Septima',    'obiloviny', 5.60),
  ( 5, 'JEJ', 'ječmen jarní',    'ječ.jar.','1301', 'Bojos',      'obiloviny', 6.10),
  ( 6, 'JEJ', 'ječmen jarní',    'ječ.jar.','1302', 'Sebastian',  'obiloviny', 6.30),
  ( 7, 'JEJ', 'ječmen jarní',    'ječ.jar.','1303', 'Laudis 550', 'obiloviny', 6.40),
  ( 8, 'JEO', 'ječmen ozimý',    'ječ.oz.', '1401', 'Wintmalt',   'obiloviny', 7.00),
  ( 9, 'RPO', 'řepka ozimá',     'řepka',   '2101', 'Sherpa',     'olejniny',  3.60),
  (10, 'RPO', 'řepka ozimá',     'řepka',   '2102', 'Rohan',      'olejniny',  3.80),
  (11, 'HRS', 'hrách setý',      'hrách',   '3101', 'Salamanca',  'luskoviny', 4.20),
  (12, 'HRS', 'hrách setý',      'hrách',   '3102', 'Gambit',     'luskoviny', 4.00),
  (13, 'OVS', 'oves setý',       'oves',    '1501', 'Zorro',      'obiloviny', 4.90),
  (14, 'OVS', 'oves setý',       'oves',    '1502', 'Atego',      'obiloviny', 5.10),
  (15, 'ZIO', 'žito ozimé',      'žito',    '1601', 'Palazzo',    'obiloviny', 6.80),
  (16, 'TRO', 'tritikale ozimé', 'trit.',   '1701', 'Kasyno',     'obiloviny', 6.50);

CREATE TEMPORARY TABLE demo_stupne (
  s INT NOT NULL PRIMARY KEY,
  stupen VARCHAR(5) NOT NULL
);
INSERT INTO demo_stupne VALUES (0, 'C1'), (1, 'C2'), (2, 'E'), (3, 'SE');

-- Registrations: 25 a year for 2014 to 2026 ---------------------------------------------
-- Registration i of year r grows variety 1 + (3r + 5i) mod 16. Numbers 00024 and 00025
-- belong to another company. Merged: 00005 takes in 00006 and 00007, 00012 names itself
-- besides 00013. Cancelled: 00020 of the even years and 00009 of 2015 and 2021; 00015
-- carries the zero date of the old programs (1899-12-30), which does not cancel it.
INSERT INTO prih (
  rok, podnik, cislo_prih, sloupartie, nazevpodni, sidlo, ico, cso_ico, stredisko,
  nomenkla, nazevosiva, druh, naz_dru, odruda, naz_odru, stu_mno_tx, kategorie,
  vymera, mj_plochy, uzn_ploch, odhad_vyn, mnozitel, bp_mnozite,
  uzn_list1, uzn_list2, mnozstvi1, mnozstvi2,
  cislo_honu, nazev_honu, katastr, ku, ku_nazev, okres_2, pozemek, oecd,
  kontrakt, kontrakt_f, izol_vzdal, predp1, predp1r, predp2, predp2r,
  d_kontroly, uredni_zaz, slomajite, dat_tisku, zrusena, do_mnozeni, odhad, prodej, merna_jedn)
SELECT
  g.rok,
  IF(g.i >= 24, '0456', '0123'),
  LPAD(g.i, 5, '0'),
  CASE g.i WHEN 5 THEN '00006,00007' WHEN 12 THEN '00012,00013' ELSE '' END,
  IF(g.i >= 24, 'Zemědělské družstvo Bezměrov', 'Osiva Haná a.s.'),
  IF(g.i >= 24, 'Bezměrov 112', 'Kroměříž, Hulínská 2841'),
  IF(g.i >= 24, '00142875', '25512345'),
  CONCAT('10', 1 + MOD(g.i, 5)),
  CONCAT('10', 1 + MOD(g.i, 5)),
  CONCAT(o.odruda, st.stupen),
  CONCAT(o.zkratka, ' ', o.naz_odru, ' ', st.stupen),
  o.druh, o.naz_dru, o.odruda, o.naz_odru, st.stupen,
  IF(st.stupen IN ('E', 'SE'), 'elita', 'certif.'),
  g.vymera,
  'ha',
  g.uzn,
  ROUND(g.uzn * o.vynos * 1000, 0),
  0,
  IF(MOD(g.i, 2) = 0, 'vlastní', 'smluvní'),
  CONCAT('UL', RIGHT(g.rok, 2), LPAD(g.i * 3, 5, '0')),
  IF(MOD(g.i, 4) = 0, CONCAT('UL', RIGHT(g.rok, 2), LPAD(g.i * 3 + 1, 5, '0')), ''),
  ROUND(g.uzn * o.vynos, 3),
  0,
  CONCAT('H', LPAD(MOD(g.i * 17, 90) + 1, 3, '0')),
  ELT(1 + MOD(g.i, 6), 'U Lesa', 'Za humny', 'Padělky', 'Díly', 'Na Vršku', 'Kopaniny'),
  ELT(1 + MOD(g.i, 5), 'Kroměříž', 'Hulín', 'Přerov', 'Holešov', 'Chropyně'),
  CONCAT('6', LPAD(MOD(g.i * 73, 9000) + 100, 5, '0')),
  ELT(1 + MOD(g.i, 5), 'Kroměříž', 'Hulín', 'Přerov', 'Holešov', 'Chropyně'),
  IF(MOD(g.i, 5) = 2, 'Přerov', 'Kroměříž'),
  CONCAT(LPAD(MOD(g.i * 29, 700) + 100, 4, '0'), '/', MOD(g.i, 9) + 1),
  IF(MOD(g.i, 3) = 0, 'ano', 'ne'),
  IF(MOD(g.i, 2) = 1, CONCAT('K', g.rok, '/', LPAD(g.i, 3, '0')), ''),
  IF(MOD(g.i, 2) = 1, 'A', 'N'),
  IF(o.druh = 'RPO', 200, IF(o.druh = 'ZIO', 250, 50)),
  ELT(1 + MOD(g.i + g.rok, 4), 'kukuřice', 'řepka ozimá', 'hrách setý', 'cukrovka'),
  g.rok - 1,
  ELT(1 + MOD(g.i + g.rok + 1, 4), 'pšenice ozimá', 'kukuřice', 'ječmen jarní', 'mák'),
  g.rok - 2,
  MAKEDATE(g.rok, 160 + MOD(g.i * 3, 30)),
  IF(MOD(g.i, 7) = 3, 'porost vyrovnaný, bez výhrad', ''),
  IF(g.i >= 24, 'ZD Bezměrov', 'Osiva Haná a.s.'),
  MAKEDATE(g.rok, 100 + g.i),
  CASE
    WHEN g.i = 20 AND MOD(g.rok, 2) = 0 THEN MAKEDATE(g.rok, 150 + MOD(g.rok, 20))
    WHEN g.i = 9 AND g.rok IN (2015, 2021) THEN MAKEDATE(g.rok, 190)
    WHEN g.i = 15 THEN '1899-12-30'
    ELSE NULL
  END,
  0, 0, 0, ''
FROM (
  SELECT 2014 + (s.seq - 1) DIV 25 AS rok,
         1 + MOD(s.seq - 1, 25) AS i,
         2.5 + MOD(s.seq * 37, 200) / 10 AS vymera,
         2.5 + MOD(s.seq * 37, 200) / 10 - IF(MOD(s.seq, 6) = 0, 0.75, 0) AS uzn
  FROM seq_1_to_325 s
) g
JOIN demo_odrudy o ON o.k = 1 + MOD(g.rok * 3 + g.i * 5, 16)
JOIN demo_stupne st ON st.s = MOD(g.i + g.rok, 4)
ORDER BY g.rok, g.i;

-- Laboratory receipts ------------------------------------------------------------------
-- "MP" deliveries for multiplication: the lot number is the two-digit year, the
-- registration number and a delivery number; most registrations deliver once, some twice.
INSERT INTO lab (typ, cislo, rok, datprijeti, partie, podnik, partiecela, druh, odruda,
                 nazevosiva, mnozstvi)
SELECT 'MP',
       CONCAT(RIGHT(p.rok, 2), LPAD(p.id, 5, '0'), d.seq),
       p.rok,
       MAKEDATE(p.rok, 195 + MOD(p.id * 7, 40) + d.seq * 6),
       CONCAT(RIGHT(p.rok, 2), p.cislo_prih, LPAD(d.seq, 2, '0')),
       p.podnik,
       CONCAT(RIGHT(p.rok, 2), '-', p.podnik, '-', p.cislo_prih, '-', LPAD(d.seq, 2, '0')),
       p.druh, p.odruda, p.nazevosiva,
       ROUND(p.odhad_vyn * IF(d.seq = 1, 0.55, 0.38) + MOD(p.id * 131, 700), 0)
FROM prih p
JOIN seq_1_to_2 d
  ON (d.seq = 1 AND MOD(CAST(p.cislo_prih AS UNSIGNED), 3) <> 0)
  OR (d.seq = 2 AND MOD(CAST(p.cislo_prih AS UNSIGNED), 4) = 1)
ORDER BY p.rok, p.cislo_prih, d.seq;

-- Other receipts (samples for germination tests) do not count as deliveries.
INSERT INTO lab (typ, cislo, rok, datprijeti, partie, podnik, partiecela, druh, odruda,
                 nazevosiva, mnozstvi)
SELECT 'VZ',
       CONCAT(RIGHT(p.rok, 2), LPAD(p.id, 5, '0'), '9'),
       p.rok,
       MAKEDATE(p.rok, 250 + MOD(p.id, 30)),
       CONCAT(RIGHT(p.rok, 2), p.cislo_prih, '01'),
       p.podnik,
       CONCAT(RIGHT(p.rok, 2), '-', p.podnik, '-', p.cislo_prih, '-01'),
       p.druh, p.odruda, p.nazevosiva,
       2.5
FROM prih p
WHERE MOD(p.id, 10) = 4
ORDER BY p.id;

-- Lots of the plan: 48 lots harvested this year and last year ---------------------------
-- Lot k has the registration number ceil(k/2) of the year YEAR(CURDATE()) - (k mod 2);
-- its variety is the one of that registration. Every seventh lot is a second part
-- (poradi 1); lots 47 and 48 are bought-in lots numbered from 55.
CREATE TEMPORARY TABLE demo_partie (
  k INT NOT NULL PRIMARY KEY,
  partie VARCHAR(9) NOT NULL,
  podnik VARCHAR(4) NOT NULL,
  poradi VARCHAR(2) NOT NULL,
  partiecela VARCHAR(16) NOT NULL,
  ok INT NOT NULL,
  stupen VARCHAR(5) NOT NULL
);
INSERT INTO demo_partie (k, partie, podnik, poradi, partiecela, ok, stupen)
SELECT l.k, l.partie, '0123', l.poradi,
       IF(LEFT(l.partie, 2) = '55', l.partie,
          CONCAT(LEFT(l.partie, 2), '-', '0123', '-', SUBSTRING(l.partie, 3, 5), '-',
                 RIGHT(CONCAT('00', l.poradi), 2))),
       1 + MOD(l.rok * 3 + l.i * 5, 16),
       ELT(1 + MOD(l.i + l.rok, 4), 'C1', 'C2', 'E', 'SE')
FROM (
  SELECT s.seq AS k,
         YEAR(CURDATE()) - MOD(s.seq, 2) AS rok,
         (s.seq + 1) DIV 2 AS i,
         IF(s.seq >= 47,
            CONCAT('55', LPAD(s.seq * 311, 5, '0'), '00'),
            CONCAT(RIGHT(YEAR(CURDATE()) - MOD(s.seq, 2), 2), LPAD((s.seq + 1) DIV 2, 5, '0'), '00')) AS partie,
         IF(MOD(s.seq, 7) = 0, '1', '') AS poradi
  FROM seq_1_to_48 s
) l;

-- PP documents of the lots; six lots have a second document.
INSERT INTO pp (cislo_pp, datum, partie, podnik, poradi, partiecela, nomenkla, nazevosiva,
                druh, naz_dru, odruda, naz_odru, stupen, mj, mnozstvi)
SELECT CONCAT('PP', RIGHT(YEAR(CURDATE()), 2), LPAD(l.k * 10 + d.seq, 4, '0')),
       CURDATE() - INTERVAL (400 - l.k * 5 - d.seq * 11) DAY,
       l.partie, l.podnik, l.poradi, l.partiecela,
       CONCAT(o.odruda, l.stupen),
       CONCAT(o.zkratka, ' ', o.naz_odru, ' ', l.stupen),
       o.druh, o.naz_dru, o.odruda, o.naz_odru, l.stupen, 't',
       10 + MOD(l.k * 47, 900) / 10
FROM demo_partie l
JOIN demo_odrudy o ON o.k = l.ok
JOIN seq_1_to_2 d ON d.seq = 1 OR MOD(l.k, 8) = 3
ORDER BY l.k, d.seq;

-- Plan rows ----------------------------------------------------------------------------
-- Rows 1 to 112: centre 101, the current month and the next one, two lots on each of the
-- days 1 to 28; on every third day both are large (the day's total is above 40 t), on the
-- other days both are small (at most 30 t).
-- Rows 113 to 400: all centres, spread from the first of January of the previous year to
-- two months after the first day of the current month; from the current month on they
-- leave centre 101 alone. A lot appears at most once a day.
CREATE TEMPORARY TABLE demo_plan (
  n INT NOT NULL PRIMARY KEY,
  datum DATE NOT NULL,
  stredisko VARCHAR(3) NOT NULL,
  k INT NOT NULL,
  mnozstvi DECIMAL(12,3) NOT NULL
);
INSERT INTO demo_plan (n, datum, stredisko, k, mnozstvi)
SELECT s.seq,
       DATE_FORMAT(CURDATE(), '%Y-%m-01')
         + INTERVAL ((s.seq - 1) DIV 56) MONTH
         + INTERVAL MOD(s.seq - 1, 28) DAY,
       '101',
       1 + MOD(s.seq * 11, 48),
       IF(MOD(1 + MOD(s.seq - 1, 28), 3) = 0,
          20.5 + MOD(s.seq * 7, 45) / 10,
          2 + MOD(s.seq * 13, 131) / 10)
FROM seq_1_to_112 s;

INSERT INTO demo_plan (n, datum, stredisko, k, mnozstvi)
SELECT r.n, r.datum,
       CONCAT('10', IF(MOD(r.n, 5) = 0 AND r.datum >= DATE_FORMAT(CURDATE(), '%Y-%m-01'),
                       2 + MOD(r.n, 4), 1 + MOD(r.n, 5))),
       1 + MOD(r.n * 11, 48),
       2 + MOD(r.n * 53, 231) / 10
FROM (
  SELECT s.seq AS n,
         MAKEDATE(YEAR(CURDATE()) - 1, 1)
           + INTERVAL MOD(s.seq * 37,
                          DATEDIFF(DATE_FORMAT(CURDATE(), '%Y-%m-01') + INTERVAL 59 DAY,
                                   MAKEDATE(YEAR(CURDATE()) - 1, 1))) DAY AS datum
  FROM seq_113_to_400 s
) r;

-- A lot met twice on one day moves on to another lot (repeated for the rare second clash).
UPDATE demo_plan p JOIN demo_plan q ON q.k = p.k AND q.datum = p.datum AND q.n < p.n
   SET p.k = 1 + MOD(p.k + 22, 48);
UPDATE demo_plan p JOIN demo_plan q ON q.k = p.k AND q.datum = p.datum AND q.n < p.n
   SET p.k = 1 + MOD(p.k + 12, 48);
UPDATE demo_plan p JOIN demo_plan q ON q.k = p.k AND q.datum = p.datum AND q.n < p.n
   SET p.k = 1 + MOD(p.k + 6, 48);

INSERT INTO vuplan (datum, datumtext, stredisko, strnazev, partie, podnik, poradi, partiecela,
                    nomenkla, nazevosiva, druh, naz_dru, odruda, naz_odru, stupen, mj,
                    hmotnostpp, hmotnocist, cislodokla, kodpar, komodita, zapsano)
SELECT p.datum,
       CONCAT(ELT(DAYOFWEEK(p.datum), 'neděle', 'pondělí', 'úterý', 'středa', 'čtvrtek',
                  'pátek', 'sobota'),
              ' ', DAY(p.datum), '.', MONTH(p.datum), '.', YEAR(p.datum)),
       p.stredisko, s.nazevstr,
       l.partie, l.podnik, l.poradi, l.partiecela,
       CONCAT(o.odruda, l.stupen),
       CONCAT(o.zkratka, ' ', o.naz_odru, ' ', l.stupen),
       o.druh, o.naz_dru, o.odruda, o.naz_odru, l.stupen, 't',
       p.mnozstvi,
       ROUND(p.mnozstvi * 0.97, 3),
       CONCAT(RIGHT(YEAR(p.datum), 2), LPAD(1000 + (p.n - 1) DIV 3, 5, '0')),
       LPAD(1 + MOD(p.n * 7, 40), 5, '0'),
       o.komodita,
       TIMESTAMP(p.datum - INTERVAL (1 + MOD(p.n, 20)) DAY)
         + INTERVAL (25200 + MOD(p.n * 611, 36000)) SECOND
FROM demo_plan p
JOIN strtopc s ON s.stred = p.stredisko
JOIN demo_partie l ON l.k = p.k
JOIN demo_odrudy o ON o.k = l.ok
ORDER BY p.n;

-- A few starts of the modules of the product family.
INSERT INTO historiem (modul, pc, stredisko, datumcas, ipadr, computeruser, computername,
                       mdatumcas, mverze)
SELECT ELT(1 + MOD(s.seq, 3), 'Plán KX', 'Sklad', 'Přihlášky'),
       LPAD(1 + MOD(s.seq, 4), 2, '0'),
       '',
       TIMESTAMP(CURDATE() - INTERVAL (30 - s.seq) DAY) + INTERVAL (25000 + s.seq * 917) SECOND,
       CONCAT('192.168.1.', 20 + MOD(s.seq, 4)),
       ELT(1 + MOD(s.seq, 4), 'novakova', 'dvorak', 'svoboda', 'cerna'),
       CONCAT('UPRAVNA-PC', LPAD(1 + MOD(s.seq, 4), 2, '0')),
       '2016-01-04 08:12:40',
       '1.0.3.41'
FROM seq_1_to_12 s;

DROP TEMPORARY TABLE demo_plan;
DROP TEMPORARY TABLE demo_partie;
DROP TEMPORARY TABLE demo_stupne;
DROP TEMPORARY TABLE demo_odrudy;
