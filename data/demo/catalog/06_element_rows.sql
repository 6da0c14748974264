-- Element rows of each complect (FrnSet). A row is used when the sash meets
-- its conditions; its element's article is then chosen by the row's
-- calculation principle (Condition): 0 none, 1 by FFB, 2 by FFH, 3 by both,
-- 4 by the length of side Side1No, 7 by the angle of corner AngleNo,
-- 8 by the radius of side Side1No.
-- Counts: Number, or a scale (ScaleCondition 1 FFB, 2 FFH, 3 length of side
-- Side1No) either by thresholds (ScaleScheme) or by steps from ScaleStart.
-- Lengths: UseLen 1 with a formula over FB/FFB (width), FН/FFН (height, with
-- the Cyrillic letter Н), FFL(n) (side length), FFG(n) (handle height of side n)
-- and FFGA(n) (handle height of side n of the other sash), in millimetres.
-- Keys are numbered in blocks of a hundred per complect.

-- Plain rows and rows chosen by a principle.
INSERT INTO "FrnSet" ("ID", "Item", "Key", "Number", "ItemSideNo", "Condition", "Side1No", "AngleNo",
  "DefineHandleHeight", "HandleSideNo", "Required", "Note", "AlertIfNoArt") VALUES
  ('K-DK', 'GETR', 101, 1, 3, 2, 0, 0, 1, 3, 1, 'привод ручки', ''),
  ('K-DK', 'ECKU', 102, 1, 2, 0, 0, 0, 0, 0, 1, 'верхний', ''),
  ('K-DK', 'SCHE', 106, 1, 2, 1, 0, 0, 0, 0, 1, '', ''),
  ('K-DK', 'PACK', 111, 1, 0, 0, 0, 0, 0, 0, 0, '', ''),
  ('K-D', 'GETR', 201, 1, 3, 2, 0, 0, 1, 0, 1, 'привод ручки', ''),
  ('K-D', 'ECKU', 202, 1, 2, 0, 0, 0, 0, 0, 1, 'верхний', ''),
  ('K-K', 'FRAM', 301, 1, 2, 1, 0, 0, 1, 2, 1, '', ''),
  ('K-K', 'FSCH', 302, 2, 0, 2, 0, 0, 0, 0, 1, 'по одной на сторону', ''),
  ('K-D-ARC', 'GETR', 401, 1, 3, 2, 0, 0, 1, 0, 1, 'привод ручки', ''),
  ('K-D-TRAP', 'GETR', 501, 1, 3, 2, 0, 0, 1, 0, 1, 'привод ручки', ''),
  ('K-D-TRAP', 'ECKU-T', 502, 1, 3, 7, 0, 3, 0, 0, 1, 'острый угол',
   'Для угла створки меньше 30° угловой переключатель не выпускается.'),
  ('K-PSK-L', 'PSKG', 601, 1, 3, 2, 0, 0, 1, 3, 1, 'привод ручки', ''),
  ('K-PSK-L', 'PSKW', 602, 2, 4, 1, 0, 0, 0, 0, 1, '', ''),
  ('K-PSK-L', 'ECKU', 603, 1, 2, 0, 0, 0, 0, 0, 1, 'верхний', ''),
  ('K-PSK-R', 'PSKG', 651, 1, 1, 2, 0, 0, 1, 1, 1, 'привод ручки', ''),
  ('K-PSK-R', 'PSKW', 652, 2, 4, 1, 0, 0, 0, 0, 1, '', ''),
  ('K-PSK-R', 'ECKU', 653, 1, 2, 0, 0, 0, 0, 0, 1, 'верхний', ''),
  ('K-DK-S1', 'GETR', 701, 1, 3, 2, 0, 0, 1, 3, 1, 'привод ручки', ''),
  ('K-DK-S1', 'ECKU', 702, 1, 2, 0, 0, 0, 0, 0, 1, 'верхний', ''),
  ('K-DK-S1', 'SCHE', 706, 1, 2, 1, 0, 0, 0, 0, 1, '', ''),
  ('K-DK-S2', 'GETR', 751, 1, 1, 2, 0, 0, 1, 1, 1, 'привод ручки', ''),
  ('K-DK-S2', 'ECKU', 752, 1, 2, 0, 0, 0, 0, 0, 1, 'верхний', ''),
  ('K-DK-S2', 'SCHE', 756, 1, 2, 1, 0, 0, 0, 0, 1, '', ''),
  ('O-DK', 'GETR', 901, 1, 3, 2, 0, 0, 1, 0, 1, 'привод ручки', ''),
  ('O-DK', 'ECKU', 902, 1, 2, 0, 0, 0, 0, 0, 1, 'верхний', ''),
  ('O-DK', 'SCHE', 904, 1, 2, 1, 0, 0, 0, 0, 1, '', ''),
  ('O-D', 'GETR', 951, 1, 3, 2, 0, 0, 1, 0, 1, 'привод ручки', ''),
  ('O-D', 'ECKU', 952, 1, 2, 0, 0, 0, 0, 0, 1, 'верхний', ''),
  ('K-BT', 'GETR', 1001, 1, 3, 2, 0, 0, 1, 3, 1, 'привод ручки', ''),
  ('K-BT', 'ECKU', 1002, 1, 2, 0, 0, 0, 0, 0, 1, 'верхний', ''),
  ('K-BT', 'SCHE', 1006, 1, 2, 1, 0, 0, 0, 0, 1, '', '');

-- Rows restricted by rebate size or by the chosen properties.
INSERT INTO "FrnSet" ("ID", "Item", "Key", "Number", "ItemSideNo", "PropKey", "FFBMin", "FFBMax", "FFHMin", "FFHMax",
  "Condition", "Required", "Note") VALUES
  ('K-DK', 'ECKU', 103, 1, 4, 0, 60, 0, 0, 0, 0, 1, 'нижний, от ширины 600'),
  ('K-DK', 'FEHL', 107, 1, 3, 14, 0, 0, 60, 0, 0, 0, ''),
  ('K-DK', 'MIKR', 108, 1, 3, 0, 60, 0, 0, 0, 3, 1, ''),
  ('K-DK', 'SPAL', 109, 1, 2, 11, 0, 0, 0, 0, 0, 0, ''),
  ('K-D', 'ECKU', 203, 1, 4, 0, 60, 0, 0, 0, 0, 1, 'нижний, от ширины 600'),
  ('K-D-ARC', 'ECKU', 405, 1, 4, 0, 60, 0, 0, 0, 0, 1, 'нижний, от ширины 600'),
  ('K-D-TRAP', 'ECKU', 503, 1, 4, 0, 60, 0, 0, 0, 0, 1, 'нижний, от ширины 600'),
  ('K-DK-S1', 'ECKU', 703, 1, 4, 0, 60, 0, 0, 0, 0, 1, 'нижний, от ширины 600'),
  ('K-DK-S1', 'FEHL', 707, 1, 3, 14, 0, 0, 60, 0, 0, 0, ''),
  ('K-DK-S1', 'MIKR', 708, 1, 3, 0, 60, 0, 0, 0, 3, 1, ''),
  ('K-DK-S1', 'SPAL', 709, 1, 2, 11, 0, 0, 0, 0, 0, 0, ''),
  ('K-DK-S2', 'ECKU', 753, 1, 4, 0, 60, 0, 0, 0, 0, 1, 'нижний, от ширины 600'),
  ('K-DK-S2', 'FEHL', 757, 1, 1, 14, 0, 0, 60, 0, 0, 0, ''),
  ('K-DK-S2', 'MIKR', 758, 1, 1, 0, 60, 0, 0, 0, 3, 1, ''),
  ('K-DK-S2', 'SPAL', 759, 1, 2, 11, 0, 0, 0, 0, 0, 0, ''),
  ('O-DK', 'ECKU', 903, 1, 4, 0, 60, 0, 0, 0, 0, 1, 'нижний, от ширины 600'),
  ('O-DK', 'SPAL', 906, 1, 2, 11, 0, 0, 0, 0, 0, 0, ''),
  ('K-BT', 'ECKU', 1003, 1, 4, 0, 60, 0, 0, 0, 0, 1, 'нижний, от ширины 600'),
  ('K-BT', 'FEHL', 1007, 1, 3, 14, 0, 0, 60, 0, 0, 0, ''),
  ('K-BT', 'MIKR', 1008, 1, 3, 0, 60, 0, 0, 0, 3, 1, ''),
  ('K-BT', 'SPAL', 1009, 1, 2, 11, 0, 0, 0, 0, 0, 0, '');

-- Counts scaled by size: middle locks by height (thresholds or steps),
-- horizontal middle locks and transom hinges by width, door rollers by the
-- length of the lock side.
INSERT INTO "FrnSet" ("ID", "Item", "Key", "Number", "ItemSideNo", "ScaleCondition", "Side1No", "ScaleStep",
  "ScaleStart", "ScaleNum", "ScaleScheme", "Required", "Note") VALUES
  ('K-DK', 'MITV', 104, 0, 3, 2, 0, 0, 0, 1, '120;170;210', 0, 'по высоте'),
  ('K-DK', 'MITH', 105, 0, 2, 1, 0, 40, 80, 1, '', 0, 'по ширине'),
  ('K-D', 'MITV', 204, 0, 3, 2, 0, 0, 0, 1, '120;170', 0, 'по высоте'),
  ('K-D', 'MITH', 205, 0, 2, 1, 0, 40, 80, 1, '', 0, 'по ширине'),
  ('K-K', 'FBAND', 303, 2, 4, 1, 0, 40, 120, 1, '', 1, 'по ширине'),
  ('K-D-ARC', 'MITV', 406, 0, 3, 2, 0, 0, 0, 1, '120;170', 0, 'по высоте'),
  ('K-D-TRAP', 'MITV', 504, 0, 3, 3, 3, 0, 0, 1, '1200;1700', 0, 'по длине стороны'),
  ('K-PSK-L', 'MITV', 604, 0, 3, 2, 0, 0, 0, 1, '150;200', 0, 'по высоте'),
  ('K-PSK-R', 'MITV', 654, 0, 1, 2, 0, 0, 0, 1, '150;200', 0, 'по высоте'),
  ('K-DK-S1', 'MITV', 704, 0, 3, 2, 0, 0, 0, 1, '120;170;210', 0, 'по высоте'),
  ('K-DK-S1', 'MITH', 705, 0, 2, 1, 0, 40, 80, 1, '', 0, 'по ширине'),
  ('K-DK-S2', 'MITV', 754, 0, 1, 2, 0, 0, 0, 1, '120;170;210', 0, 'по высоте'),
  ('K-DK-S2', 'MITH', 755, 0, 2, 1, 0, 40, 80, 1, '', 0, 'по ширине'),
  ('O-DK', 'MITV', 905, 0, 3, 2, 0, 50, 120, 1, '', 0, 'по высоте'),
  ('O-D', 'MITV', 953, 0, 3, 2, 0, 50, 120, 1, '', 0, 'по высоте'),
  ('K-BT', 'MITV', 1004, 0, 3, 2, 0, 0, 0, 1, '120;170;210', 0, 'по высоте'),
  ('K-BT', 'MITH', 1005, 0, 2, 1, 0, 40, 80, 1, '', 0, 'по ширине'),
  ('K-HT-L', 'DROLL', 1102, 1, 3, 3, 3, 400, 1800, 1, '', 0, 'по длине стороны замка'),
  ('K-HT-R', 'DROLL', 1152, 1, 1, 3, 1, 400, 1800, 1, '', 0, 'по длине стороны замка'),
  ('B-HVY', 'ZWBA', 1302, 0, 0, 2, 0, 60, 160, 1, '', 0, 'высокие створки'),
  ('L-MULTI', 'DLOCK-Z', 1412, 2, 0, 2, 0, 0, 0, 1, '190;220', 0, 'по высоте');

-- Cut lengths by formula, with their smallest allowed length.
INSERT INTO "FrnSet" ("ID", "Item", "Key", "Number", "ItemSideNo", "FFHMin", "Condition", "Side1No", "UseLen",
  "LenFormula", "MinLen", "Required", "Note") VALUES
  ('K-DK', 'GETR-T', 110, 1, 3, 160, 0, 0, 1, 'FFН-FFG(3)-300', 250, 1, 'над ручкой'),
  ('K-DK-S1', 'GETR-T', 710, 1, 3, 160, 0, 0, 1, 'FFН-FFG(3)-300', 250, 1, 'над ручкой'),
  ('K-DK-S2', 'GETR-T', 760, 1, 1, 160, 0, 0, 1, 'FFН-FFG(1)-300', 250, 1, 'над ручкой'),
  ('K-BT', 'GETR-T', 1010, 1, 3, 160, 0, 0, 1, 'FFН-FFG(3)-300', 250, 1, 'над ручкой'),
  ('K-D-ARC', 'BOGT', 402, 1, 2, 0, 8, 2, 1, 'FFL(2)+100', 300, 1, 'по радиусу арки'),
  ('K-PSK-L', 'PSKS', 605, 1, 4, 0, 0, 0, 1, 'FFB*2-50', 1000, 1, ''),
  ('K-PSK-R', 'PSKS', 655, 1, 4, 0, 0, 0, 1, 'FFB*2-50', 1000, 1, ''),
  ('K-HT-L', 'DPLANK', 1101, 1, 3, 0, 0, 0, 1, 'FFL(3)-40', 1500, 1, ''),
  ('K-HT-L', 'DSILL', 1103, 1, 4, 0, 0, 0, 1, 'FFL(4)', 600, 1, ''),
  ('K-HT-R', 'DPLANK', 1151, 1, 1, 0, 0, 0, 1, 'FFL(1)-40', 1500, 1, ''),
  ('K-HT-R', 'DSILL', 1153, 1, 4, 0, 0, 0, 1, 'FFL(4)', 600, 1, ''),
  ('DR-TR', 'DRIVE-T', 1472, 1, 0, 0, 0, 0, 1, 'FFB-100', 200, 1, '');

-- Conditions on the shape: arc kind of side 2 (2 semicircle, 4 other
-- circular arc), angle of a corner, length of a side.
INSERT INTO "FrnSet" ("ID", "Item", "Key", "Number", "ItemSideNo", "FFL1No", "FFL1Min", "FFL1Max", "FFANo", "FFAMin",
  "FFAMax", "FFR1No", "FFR1Min", "FFR1Max", "FFR1Type", "Condition", "Side1No", "Required", "Note") VALUES
  ('K-D-ARC', 'BOGE', 403, 1, 2, 0, 0, 0, 0, 0, 0, 2, 0, 0, 2, 0, 0, 1, 'полуарка'),
  ('K-D-ARC', 'BOGE-S', 404, 1, 2, 0, 0, 0, 0, 0, 0, 2, 0, 0, 4, 0, 0, 1, 'сегмент'),
  ('K-D-TRAP', 'MITS', 505, 1, 2, 2, 600, 0, 0, 0, 0, 0, 0, 0, 0, 4, 2, 1, 'наклонная сторона от 600'),
  ('K-D-TRAP', 'ECKU-O', 506, 1, 2, 0, 0, 0, 2, 120, 0, 0, 0, 0, 0, 0, 0, 1, 'угол от 120°');

-- Double sashes: double-sash type masks (4 + 8: astragal of PVC or wood,
-- 16: mullion), a part that depends on the main sash's articles (UseIfArt),
-- the main sash's bottom side (FFL21), and the main sash's handle height.
INSERT INTO "FrnSet" ("ID", "Item", "Key", "Number", "ItemSideNo", "StulpType", "UseIfArt", "FFL21No", "FFL21Min",
  "FFL21Max", "Condition", "UseLen", "LenFormula", "MinLen", "Required", "AlertIfNoArt", "Note") VALUES
  ('K-DK-S1', 'MITH', 711, 1, 4, 16, '', 0, 0, 0, 0, 0, '', 0, 0, '', 'при импосте'),
  ('K-DK-S2', 'MITH', 761, 1, 4, 16, '', 0, 0, 0, 0, 0, '', 0, 0, '', 'при импосте'),
  ('K-ST-S2', 'STUL', 801, 1, 1, 12, '', 0, 0, 0, 2, 0, '', 0, 1,
   'Для выбранного типа штульпа нет штульпового привода.', ''),
  ('K-ST-S2', 'STUT', 802, 1, 1, 12, '', 0, 0, 0, 0, 1, 'FFН-FFGA(3)-120', 100, 1, '', 'от ручки активной створки'),
  ('K-ST-S2', 'SPAL-P', 803, 1, 1, 0, 'NL-SV-01', 0, 0, 0, 0, 0, '', 0, 0, '', ''),
  ('K-ST-S2', 'STUA', 804, 1, 2, 0, '', 4, 500, 0, 0, 0, '', 0, 0, '', 'активная створка от 500'),
  ('K-ST-S1', 'STUL', 851, 1, 3, 12, '', 0, 0, 0, 2, 0, '', 0, 1,
   'Для выбранного типа штульпа нет штульпового привода.', ''),
  ('K-ST-S1', 'STUT', 852, 1, 3, 12, '', 0, 0, 0, 0, 1, 'FFН-FFGA(1)-120', 100, 1, '', 'от ручки активной створки'),
  ('K-ST-S1', 'SPAL-P', 853, 1, 3, 0, 'NL-SV-01', 0, 0, 0, 0, 0, '', 0, 0, '', ''),
  ('K-ST-S1', 'STUA', 854, 1, 2, 0, '', 4, 500, 0, 0, 0, '', 0, 0, '', 'активная створка от 500');

-- Optional parts: handles, hinges, locks, cylinder, latch, drive.
-- ColorCondition: 0 the fittings colour, 1 outer, 2 inner profile colour,
-- 3 outer for opening type 1, inner otherwise.
INSERT INTO "FrnSet" ("ID", "Item", "Key", "Number", "ItemSideNo", "ColorCondition", "PropKey", "DefineHandleHeight",
  "Required", "AlertIfNoArt", "Note") VALUES
  ('H-STD', 'HAND', 1201, 1, 0, 0, 0, 0, 1, '', ''),
  ('H-KEY', 'HAND-K', 1211, 1, 0, 0, 0, 0, 1, '', ''),
  ('H-BAL', 'HAND-B', 1221, 1, 0, 3, 0, 0, 1, '', ''),
  ('H-KNOB', 'HAND-U', 1231, 1, 0, 0, 0, 0, 1, '', ''),
  ('H-PRESS', 'HGAR', 1241, 1, 0, 0, 0, 0, 1, '', ''),
  ('H-BAR', 'HAND-S', 1251, 1, 0, 0, 0, 0, 1, '', ''),
  ('H-BAR', 'ROSE', 1252, 2, 0, 0, 0, 0, 0, '', ''),
  ('B-HVY', 'BANDV-H', 1301, 1, 0, 0, 0, 0, 1, '', ''),
  ('B-STD', 'BANDV', 1311, 1, 0, 0, 0, 0, 1, '', ''),
  ('B-DOOR', 'DBANDV', 1321, 1, 0, 0, 0, 0, 1, '', ''),
  ('L-CHILD', 'WLOCK', 1401, 1, 0, 0, 0, 0, 1, '', ''),
  ('L-MULTI', 'DLOCK', 1411, 1, 0, 0, 0, 1, 1,
   'Многозапорный замок выпускается только с дорнмассом 25 и 35 мм.', ''),
  ('L-MULTI', 'DLOCK-T', 1413, 1, 0, 0, 21, 0, 0, '', 'дневной режим'),
  ('L-UNI', 'LOCK-U', 1421, 1, 0, 0, 0, 0, 1, '', ''),
  ('L-MECH', 'DLOCK-M', 1431, 1, 0, 0, 0, 0, 1, '', ''),
  ('L-ELEC', 'DLOCK-E', 1441, 1, 0, 0, 0, 0, 1, '', ''),
  ('L-ELEC', 'DLOCK-K', 1442, 1, 0, 0, 0, 0, 0, '', ''),
  ('C-CYL', 'CYL', 1451, 1, 0, 0, 0, 0, 1, 'Нет цилиндра для толщины полотна двери.', ''),
  ('LT-BAL', 'LATCH', 1461, 1, 0, 0, 0, 0, 1, '', ''),
  ('DR-TR', 'DRIVE', 1471, 1, 0, 0, 0, 0, 1, '', '');
