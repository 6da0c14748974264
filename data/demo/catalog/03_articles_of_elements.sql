-- Articles of each element (FrnArt) with the ranges they are made for.
-- Ranges in one element never overlap, so exactly one article fits a sash.
-- FFB/FFH are rebate width/height in centimetres; lengths, radii and handle
-- heights in millimetres; angles in degrees.

-- Gear by rebate height (principle 2), one series per backset; the gear
-- fixes the handle height.
INSERT INTO "FrnArt" ("ID", "CatalogID", "Key", "DornMassMin", "DornMassMax", "FFHMin", "FFHMax", "HandleHeight") VALUES
  ('GETR', 'NL-GA-15-0600', 1, 15, 15, 40, 59, 250),
  ('GETR', 'NL-GA-15-0800', 2, 15, 15, 60, 79, 350),
  ('GETR', 'NL-GA-15-1200', 3, 15, 15, 80, 119, 500),
  ('GETR', 'NL-GA-15-1600', 4, 15, 15, 120, 159, 700),
  ('GETR', 'NL-GA-15-2400', 5, 15, 15, 160, 240, 1000),
  ('GETR', 'NL-GA-35-0600', 6, 25, 35, 40, 59, 250),
  ('GETR', 'NL-GA-35-0800', 7, 25, 35, 60, 79, 350),
  ('GETR', 'NL-GA-35-1200', 8, 25, 35, 80, 119, 500),
  ('GETR', 'NL-GA-35-1600', 9, 25, 35, 120, 159, 700),
  ('GETR', 'NL-GA-35-2400', 10, 25, 35, 160, 240, 1000);

-- Stay arms by rebate width (principle 1).
INSERT INTO "FrnArt" ("ID", "CatalogID", "Key", "FFBMin", "FFBMax") VALUES
  ('SCHE', 'NL-SC-0600', 11, 40, 59),
  ('SCHE', 'NL-SC-0800', 12, 60, 79),
  ('SCHE', 'NL-SC-1200', 13, 80, 119),
  ('SCHE', 'NL-SC-1600', 14, 120, 160),
  ('FRAM', 'NL-FZ-0800', 15, 40, 79),
  ('FRAM', 'NL-FZ-1600', 16, 80, 160),
  ('PSKW', 'NL-PS-C10', 17, 60, 100),
  ('PSKW', 'NL-PS-C16', 18, 101, 160);

UPDATE "FrnArt" SET "HandleHeight" = 300 WHERE "CatalogID" = 'NL-FZ-0800';
UPDATE "FrnArt" SET "HandleHeight" = 500 WHERE "CatalogID" = 'NL-FZ-1600';

-- By rebate height (principle 2).
INSERT INTO "FrnArt" ("ID", "CatalogID", "Key", "FFHMin", "FFHMax", "HandleHeight") VALUES
  ('FSCH', 'NL-FS-06', 19, 30, 59, 0),
  ('FSCH', 'NL-FS-10', 20, 60, 100, 0),
  ('PSKG', 'NL-PS-G16', 21, 100, 160, 1000),
  ('PSKG', 'NL-PS-G24', 22, 161, 230, 1050);

-- Micro-lift by rebate width and height (principle 3).
INSERT INTO "FrnArt" ("ID", "CatalogID", "Key", "FFBMin", "FFBMax", "FFHMin", "FFHMax") VALUES
  ('MIKR', 'NL-ML-01', 23, 60, 99, 0, 300),
  ('MIKR', 'NL-ML-02', 24, 100, 200, 0, 300);

-- Corner drive of an acute corner by its angle (principle 7).
INSERT INTO "FrnArt" ("ID", "CatalogID", "Key", "FFAMin", "FFAMax") VALUES
  ('ECKU-T', 'NL-EU-T30', 25, 30, 59.99),
  ('ECKU-T', 'NL-EU-T60', 26, 60, 89.99);

-- Middle lock of a sloping side by that side's length (principle 4).
INSERT INTO "FrnArt" ("ID", "CatalogID", "Key", "FFL1Min", "FFL1Max") VALUES
  ('MITS', 'NL-MS-08', 27, 400, 800),
  ('MITS', 'NL-MS-12', 28, 801, 1200),
  ('MITS', 'NL-MS-18', 29, 1201, 1800);

-- Arch rod by the arch radius (principle 8).
INSERT INTO "FrnArt" ("ID", "CatalogID", "Key", "FFR1Min", "FFR1Max") VALUES
  ('BOGT', 'NL-BT-S', 30, 200, 700),
  ('BOGT', 'NL-BT-M', 31, 701, 1200),
  ('BOGT', 'NL-BT-L', 32, 1201, 2000);

-- Passive-sash gear by double-sash type and rebate height.
INSERT INTO "FrnArt" ("ID", "CatalogID", "Key", "StulpType", "FFHMin", "FFHMax") VALUES
  ('STUL', 'NL-ST-P16', 33, 2, 60, 159),
  ('STUL', 'NL-ST-P24', 34, 2, 160, 240),
  ('STUL', 'NL-ST-W16', 35, 3, 60, 159),
  ('STUL', 'NL-ST-W24', 36, 3, 160, 240);

-- Hinges by rebate size, air gap and axis; the frame hinge also by sash weight.
INSERT INTO "FrnArt" ("ID", "CatalogID", "Key", "FalzLuft", "FalzSize", "FalzPos", "WeightMin", "WeightMax") VALUES
  ('ECLA', 'NL-EL-18', 37, 0, 18, 0, 0, 0),
  ('ECLA', 'NL-EL-20', 38, 0, 20, 0, 0, 0),
  ('ECLR', 'NL-LR-04', 39, 4, 0, 0, 0, 130),
  ('ECLR', 'NL-LR-12', 40, 12, 0, 0, 0, 130),
  ('SCLA', 'NL-SL-12-9', 41, 12, 0, 9, 0, 0),
  ('SCLA', 'NL-SL-12-13', 42, 12, 0, 13, 0, 0),
  ('SCLA', 'NL-SL-4-13', 43, 4, 0, 13, 0, 0);

-- Door hinges by opening direction (1 left, 2 right).
INSERT INTO "FrnArt" ("ID", "CatalogID", "Key", "Direct") VALUES
  ('DBAND', 'NL-DB-L', 44, 1),
  ('DBAND', 'NL-DB-R', 45, 2);

-- Handles and roses by colour; an article without colour serves every
-- colour that has no article of its own.
INSERT INTO "FrnArt" ("ID", "CatalogID", "Key", "Color") VALUES
  ('HAND',   'NL-HG-BR', 46, 'BR'),
  ('HAND',   'NL-HG-BZ', 47, 'BZ'),
  ('HAND',   'NL-HG-SI', 48, 'SI'),
  ('HAND',   'NL-HG-WH', 49, 'WH'),
  ('HAND-K', 'NL-HK-00', 50, ''),
  ('HAND-K', 'NL-HK-WH', 51, 'WH'),
  ('HAND-B', 'NL-HB-00', 52, ''),
  ('HAND-B', 'NL-HB-BR', 53, 'BR'),
  ('HAND-B', 'NL-HB-WH', 54, 'WH'),
  ('HAND-U', 'NL-HU-00', 55, ''),
  ('HAND-N', 'NL-HN-00', 56, ''),
  ('HAND-N', 'NL-HN-BZ', 57, 'BZ'),
  ('HAND-N', 'NL-HN-SI', 58, 'SI'),
  ('HAND-S', 'NL-HS-00', 59, ''),
  ('HAND-S', 'NL-HS-SI', 60, 'SI'),
  ('ROSE',   'NL-RO-00', 61, ''),
  ('ROSE',   'NL-RO-BR', 62, 'BR'),
  ('ROSE',   'NL-RO-WH', 63, 'WH');

-- Door lock by backset and profile width; cylinder by door thickness.
INSERT INTO "FrnArt" ("ID", "CatalogID", "Key", "DornMassMin", "DornMassMax", "ProfWidthMin", "ProfWidthMax",
  "ThicknessMin", "ThicknessMax") VALUES
  ('DLOCK', 'NL-DL-25', 64, 20, 29.99, 0, 200, 0, 0),
  ('DLOCK', 'NL-DL-35', 65, 30, 40, 0, 200, 0, 0),
  ('CYL',   'NL-CY-3040', 66, 0, 0, 0, 0, 58, 70),
  ('CYL',   'NL-CY-3545', 67, 0, 0, 0, 0, 71, 90);

-- Strike plates by strike-plate system.
INSERT INTO "FrnArt" ("ID", "CatalogID", "Key", "ProfSys") VALUES
  ('SCHL',    'NL-SP-K13', 68, 'K13'),
  ('SCHL',    'NL-SP-K9', 69, 'K9'),
  ('SCHL',    'NL-SP-KW', 70, 'KW'),
  ('SCHL-O',  'NL-SP-O13', 71, 'O13'),
  ('SCHL-O',  'NL-SP-OAL', 72, 'OAL'),
  ('SCHL-RC', 'NL-SPR-K13', 73, 'K13'),
  ('SCHL-RC', 'NL-SPR-K9', 74, 'K9'),
  ('SCHL-RC', 'NL-SPR-KW', 75, 'KW'),
  ('SCHL-K',  'NL-SK-K13', 76, 'K13'),
  ('SCHL-K',  'NL-SK-K9', 77, 'K9'),
  ('SCHL-K',  'NL-SK-KW', 78, 'KW'),
  ('SCHL-K',  'NL-SK-O13', 79, 'O13'),
  ('SCHL-K',  'NL-SK-OAL', 80, 'OAL');

-- Elements with one article for every sash.
INSERT INTO "FrnArt" ("ID", "CatalogID", "Key") VALUES
  ('GETR-T',  'NL-GT-01', 81),
  ('ECKU',    'NL-EU-01', 82),
  ('ECKU-O',  'NL-EU-O', 83),
  ('MITV',    'NL-MV-01', 84),
  ('MITH',    'NL-MH-01', 85),
  ('FEHL',    'NL-FB-01', 86),
  ('FEHLS',   'NL-FBS-01', 87),
  ('SPAL',    'NL-SV-01', 88),
  ('PACK',    'NL-PACK', 89),
  ('BOGE',    'NL-BE-HK', 90),
  ('BOGE-S',  'NL-BE-SG', 91),
  ('FBAND',   'NL-FB-02', 92),
  ('STUT',    'NL-STT-01', 93),
  ('STUA',    'NL-SO-01', 94),
  ('SPAL-P',  'NL-SV-02', 95),
  ('PSKS',    'NL-PS-RL', 96),
  ('ZWBA',    'NL-ZB-01', 97),
  ('WLOCK',   'NL-WL-01', 98),
  ('DLOCK-Z', 'NL-DZ-01', 99),
  ('DLOCK-T', 'NL-DT-01', 100),
  ('DLOCK-M', 'NL-DM-01', 101),
  ('LOCK-U',  'NL-LU-01', 111),
  ('DLOCK-E', 'NL-DE-01', 102),
  ('DLOCK-K', 'NL-DK-01', 103),
  ('LATCH',   'NL-LT-01', 104),
  ('DRIVE',   'NL-DR-01', 105),
  ('DRIVE-T', 'NL-DRT-01', 106),
  ('DPLANK',  'NL-DP-01', 107),
  ('DROLL',   'NL-DRL-01', 108),
  ('DSILL',   'NL-TH-01', 109),
  ('SCHL-B',  'NL-SB-01', 110);

-- The multipoint lock fixes the door handle height.
UPDATE "FrnArt" SET "HandleHeight" = 1050 WHERE "ID" = 'DLOCK';
