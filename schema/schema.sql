-- Permanent tables of the product family's database, as far as this program uses them.
-- In production the database and these tables belong to the product family and already
-- exist; this script builds the same structure for development and tests:
--
--   mariadb --no-defaults --default-character-set=utf8mb4 DBNAME < schema.sql
--
-- into a database created with CHARACTER SET cp1250 COLLATE cp1250_czech_cs.
-- Column names are lower case; the program's statements use them in either case.

-- Processing plan: one lot of seed to be processed at one centre on one day.
CREATE TABLE `vuplan` (
  `id`          INT NOT NULL AUTO_INCREMENT,
  `datum`       DATE DEFAULT NULL,                    -- day of processing
  `datumtext`   VARCHAR(40) NOT NULL DEFAULT '',      -- "dddd d.m.yyyy"
  `stredisko`   VARCHAR(3) NOT NULL DEFAULT '',       -- centre code (strtopc.stred)
  `strnazev`    VARCHAR(40) NOT NULL DEFAULT '',      -- centre name (strtopc.nazevstr)
  `partie`      VARCHAR(9) NOT NULL DEFAULT '',       -- YY + 5-digit number + "00"
  `podnik`      VARCHAR(4) NOT NULL DEFAULT '',       -- owner's company code
  `poradi`      VARCHAR(2) NOT NULL DEFAULT '',       -- sequence number within the lot
  `partiecela`  VARCHAR(16) NOT NULL DEFAULT '',      -- YY-PODNIK-NNNNN-PP
  `nomenkla`    VARCHAR(15) NOT NULL DEFAULT '',      -- item number of the seed
  `nazevosiva`  VARCHAR(60) NOT NULL DEFAULT '',
  `druh`        VARCHAR(5) NOT NULL DEFAULT '',
  `naz_dru`     VARCHAR(40) NOT NULL DEFAULT '',
  `odruda`      VARCHAR(6) NOT NULL DEFAULT '',
  `naz_odru`    VARCHAR(40) NOT NULL DEFAULT '',
  `stupen`      VARCHAR(5) NOT NULL DEFAULT '',
  `mj`          VARCHAR(3) NOT NULL DEFAULT '',
  `hmotnostpp`  DECIMAL(12,3) NOT NULL DEFAULT 0,     -- planned quantity in mj
  `hmotnocist`  DECIMAL(12,3) NOT NULL DEFAULT 0,     -- clean weight
  `cislodokla`  VARCHAR(10) NOT NULL DEFAULT '',      -- weigh sheet number
  `kodpar`      VARCHAR(10) NOT NULL DEFAULT '',      -- partner code
  `komodita`    VARCHAR(20) NOT NULL DEFAULT '',
  `zapsano`     DATETIME DEFAULT CURRENT_TIMESTAMP,   -- when the row was written
  PRIMARY KEY (`id`),
  KEY `stredisko_datum` (`stredisko`, `datum`),
  KEY `partiecela` (`partiecela`),
  KEY `partie_podnik` (`partie`, `podnik`)
) ENGINE=InnoDB DEFAULT CHARSET=cp1250 COLLATE=cp1250_czech_cs;

-- Registrations of seed-multiplication crops: one registered field crop of a year.
-- The area and yield figures may be NULL: the registration overview sums them up.
CREATE TABLE `prih` (
  `id`          INT NOT NULL AUTO_INCREMENT,
  `rok`         INT NOT NULL DEFAULT 0,
  `podnik`      VARCHAR(4) NOT NULL DEFAULT '',       -- applicant's company code
  `cislo_prih`  VARCHAR(5) NOT NULL DEFAULT '',       -- registration number
  `sloupartie`  VARCHAR(100) NOT NULL DEFAULT '',     -- merged registrations, "00012,00013"
  `nazevpodni`  VARCHAR(60) NOT NULL DEFAULT '',
  `sidlo`       VARCHAR(60) NOT NULL DEFAULT '',
  `ico`         VARCHAR(10) NOT NULL DEFAULT '',
  `cso_ico`     VARCHAR(10) NOT NULL DEFAULT '',      -- centre of the registration
  `stredisko`   VARCHAR(5) NOT NULL DEFAULT '',
  `nomenkla`    VARCHAR(15) NOT NULL DEFAULT '',
  `nazevosiva`  VARCHAR(60) NOT NULL DEFAULT '',
  `druh`        VARCHAR(5) NOT NULL DEFAULT '',
  `naz_dru`     VARCHAR(40) NOT NULL DEFAULT '',
  `odruda`      VARCHAR(6) NOT NULL DEFAULT '',
  `naz_odru`    VARCHAR(40) NOT NULL DEFAULT '',
  `stu_mno_tx`  VARCHAR(5) NOT NULL DEFAULT '',       -- grade of the multiplied seed
  `kategorie`   VARCHAR(10) NOT NULL DEFAULT '',
  `vymera`      DECIMAL(12,3) DEFAULT 0,              -- area
  `mj_plochy`   VARCHAR(3) NOT NULL DEFAULT 'ha',
  `uzn_ploch`   DECIMAL(12,3) DEFAULT 0,              -- recognised area
  `odhad_vyn`   DECIMAL(12,3) DEFAULT 0,              -- estimated yield, kg
  `mnozitel`    INT NOT NULL DEFAULT 0,
  `bp_mnozite`  VARCHAR(40) NOT NULL DEFAULT '',
  `uzn_list1`   VARCHAR(12) NOT NULL DEFAULT '',
  `uzn_list2`   VARCHAR(12) NOT NULL DEFAULT '',
  `uzn_list3`   VARCHAR(12) NOT NULL DEFAULT '',
  `uzn_list4`   VARCHAR(12) NOT NULL DEFAULT '',
  `mnozstvi1`   DECIMAL(12,3) NOT NULL DEFAULT 0,
  `mnozstvi2`   DECIMAL(12,3) NOT NULL DEFAULT 0,
  `mnozstvi3`   DECIMAL(12,3) NOT NULL DEFAULT 0,
  `mnozstvi4`   DECIMAL(12,3) NOT NULL DEFAULT 0,
  `cislo_honu`  VARCHAR(10) NOT NULL DEFAULT '',
  `nazev_honu`  VARCHAR(40) NOT NULL DEFAULT '',
  `katastr`     VARCHAR(40) NOT NULL DEFAULT '',
  `ku`          VARCHAR(6) NOT NULL DEFAULT '',
  `ku_nazev`    VARCHAR(40) NOT NULL DEFAULT '',
  `okres_2`     VARCHAR(30) NOT NULL DEFAULT '',
  `pozemek`     VARCHAR(30) NOT NULL DEFAULT '',
  `oecd`        VARCHAR(3) NOT NULL DEFAULT '',
  `kontrakt`    VARCHAR(20) NOT NULL DEFAULT '',
  `kontrakt_f`  VARCHAR(1) NOT NULL DEFAULT '',
  `izol_vzdal`  INT NOT NULL DEFAULT 0,               -- isolation distance, m
  `predp1`      VARCHAR(40) NOT NULL DEFAULT '',      -- previous crops and their years
  `predp1r`     INT NOT NULL DEFAULT 0,
  `predp2`      VARCHAR(40) NOT NULL DEFAULT '',
  `predp2r`     INT NOT NULL DEFAULT 0,
  `predp3`      VARCHAR(40) NOT NULL DEFAULT '',
  `predp3r`     INT NOT NULL DEFAULT 0,
  `predp4`      VARCHAR(40) NOT NULL DEFAULT '',
  `predp4r`     INT NOT NULL DEFAULT 0,
  `predp5`      VARCHAR(40) NOT NULL DEFAULT '',
  `predp5r`     INT NOT NULL DEFAULT 0,
  `d_kontroly`  DATE DEFAULT NULL,
  `uredni_zaz`  VARCHAR(80) NOT NULL DEFAULT '',
  `uredni_za2`  VARCHAR(80) NOT NULL DEFAULT '',
  `uredni_za3`  VARCHAR(80) NOT NULL DEFAULT '',
  `slonaukzuz`  VARCHAR(40) NOT NULL DEFAULT '',
  `slomajite`   VARCHAR(60) NOT NULL DEFAULT '',
  `bram_pocet`  INT NOT NULL DEFAULT 0,
  `bram_sv`     VARCHAR(10) NOT NULL DEFAULT '',
  `bram_a`      DECIMAL(10,2) NOT NULL DEFAULT 0,
  `bram_y`      DECIMAL(10,2) NOT NULL DEFAULT 0,
  `bram_x`      DECIMAL(10,2) NOT NULL DEFAULT 0,
  `bram_m`      DECIMAL(10,2) NOT NULL DEFAULT 0,
  `bram_tvch`   VARCHAR(10) NOT NULL DEFAULT '',
  `dat_tisku`   DATE DEFAULT NULL,
  `zrusena`     DATE DEFAULT NULL,                    -- cancellation date
  `do_mnozeni`  DECIMAL(12,3) DEFAULT NULL,
  `odhad`       DECIMAL(12,3) DEFAULT 0,
  `prodej`      DECIMAL(12,3) DEFAULT 0,
  `merna_jedn`  VARCHAR(3) NOT NULL DEFAULT '',
  PRIMARY KEY (`id`),
  KEY `rok_podnik` (`rok`, `podnik`, `cislo_prih`)
) ENGINE=InnoDB DEFAULT CHARSET=cp1250 COLLATE=cp1250_czech_cs;

-- Laboratory receipts of lots.
CREATE TABLE `lab` (
  `id`          INT NOT NULL AUTO_INCREMENT,
  `typ`         VARCHAR(2) NOT NULL DEFAULT '',       -- "MP" = delivered for multiplication
  `cislo`       VARCHAR(10) NOT NULL DEFAULT '',      -- receipt number
  `rok`         INT NOT NULL DEFAULT 0,
  `datprijeti`  DATE DEFAULT NULL,
  `partie`      VARCHAR(9) NOT NULL DEFAULT '',
  `podnik`      VARCHAR(4) NOT NULL DEFAULT '',
  `partiecela`  VARCHAR(16) NOT NULL DEFAULT '',
  `druh`        VARCHAR(5) NOT NULL DEFAULT '',
  `odruda`      VARCHAR(6) NOT NULL DEFAULT '',
  `nazevosiva`  VARCHAR(60) NOT NULL DEFAULT '',
  `mnozstvi`    DECIMAL(12,3) NOT NULL DEFAULT 0,     -- kg
  PRIMARY KEY (`id`),
  KEY `typ_podnik` (`typ`, `podnik`),
  KEY `partie` (`partie`)
) ENGINE=InnoDB DEFAULT CHARSET=cp1250 COLLATE=cp1250_czech_cs;

-- Seed documents (PP documents) of lots.
CREATE TABLE `pp` (
  `id`          INT NOT NULL AUTO_INCREMENT,
  `cislo_pp`    VARCHAR(10) NOT NULL DEFAULT '',
  `datum`       DATE DEFAULT NULL,
  `partie`      VARCHAR(9) NOT NULL DEFAULT '',
  `podnik`      VARCHAR(4) NOT NULL DEFAULT '',
  `poradi`      VARCHAR(2) NOT NULL DEFAULT '',
  `partiecela`  VARCHAR(16) NOT NULL DEFAULT '',
  `nomenkla`    VARCHAR(15) NOT NULL DEFAULT '',
  `nazevosiva`  VARCHAR(60) NOT NULL DEFAULT '',
  `druh`        VARCHAR(5) NOT NULL DEFAULT '',
  `naz_dru`     VARCHAR(40) NOT NULL DEFAULT '',
  `odruda`      VARCHAR(6) NOT NULL DEFAULT '',
  `naz_odru`    VARCHAR(40) NOT NULL DEFAULT '',
  `stupen`      VARCHAR(5) NOT NULL DEFAULT '',
  `mj`          VARCHAR(3) NOT NULL DEFAULT '',
  `mnozstvi`    DECIMAL(12,3) NOT NULL DEFAULT 0,
  PRIMARY KEY (`id`),
  KEY `partie_podnik` (`partie`, `podnik`)
) ENGINE=InnoDB DEFAULT CHARSET=cp1250 COLLATE=cp1250_czech_cs;

-- Centres (stredisko).
CREATE TABLE `strtopc` (
  `id`          INT NOT NULL AUTO_INCREMENT,
  `stred`       VARCHAR(3) NOT NULL DEFAULT '',
  `nazevstr`    VARCHAR(40) NOT NULL DEFAULT '',
  PRIMARY KEY (`id`),
  UNIQUE KEY `stred` (`stred`)
) ENGINE=InnoDB DEFAULT CHARSET=cp1250 COLLATE=cp1250_czech_cs;

-- The company's own settings; the first row counts.
CREATE TABLE `korvan` (
  `id`          INT NOT NULL AUTO_INCREMENT,
  `podnik`      VARCHAR(4) NOT NULL DEFAULT '',
  `nazevpodni`  VARCHAR(60) NOT NULL DEFAULT '',
  `sidlo`       VARCHAR(60) NOT NULL DEFAULT '',
  `ico`         VARCHAR(10) NOT NULL DEFAULT '',
  `zakl_mj`     VARCHAR(3) NOT NULL DEFAULT '',
  PRIMARY KEY (`id`)
) ENGINE=InnoDB DEFAULT CHARSET=cp1250 COLLATE=cp1250_czech_cs;

-- Session log of the product family's modules: one row per start of a module.
CREATE TABLE `historiem` (
  `id`           INT NOT NULL AUTO_INCREMENT,
  `modul`        VARCHAR(20) NOT NULL DEFAULT '',
  `pc`           VARCHAR(5) NOT NULL DEFAULT '',
  `stredisko`    VARCHAR(5) NOT NULL DEFAULT '',
  `datumcas`     DATETIME DEFAULT NULL,
  `ipadr`        VARCHAR(15) NOT NULL DEFAULT '',
  `computeruser` VARCHAR(62) NOT NULL DEFAULT '',
  `computername` VARCHAR(15) NOT NULL DEFAULT '',
  `mdatumcas`    DATETIME DEFAULT NULL,
  `mverze`       VARCHAR(20) NOT NULL DEFAULT '',
  PRIMARY KEY (`id`),
  KEY `datumcas` (`datumcas`)
) ENGINE=InnoDB DEFAULT CHARSET=cp1250 COLLATE=cp1250_czech_cs;
