-- Reference lists of the demo catalog: currencies, price groups, colours,
-- materials, the parameter list, fittings systems with their colours,
-- strike-plate systems and property values.
-- The brand "Норлит" and every article number in this catalog are invented.

-- Rates against the rouble; word forms for amounts in words
-- (Gender: 0 masculine, 1 feminine, 2 neuter).
INSERT INTO "Currency" ("ID", "Name", "Value", "Dec",
  "Nominative", "Genitive", "GenitivePlural", "Gender",
  "DecNominative", "DecGenitive", "DecGenitivePlural", "DecGender") VALUES
  (1, 'руб.', 1.0000, 2, 'рубль', 'рубля', 'рублей', 0, 'копейка', 'копейки', 'копеек', 1),
  (2, 'EUR', 98.4500, 2, 'евро', 'евро', 'евро', 2, 'цент', 'цента', 'центов', 0),
  (3, 'USD', 91.2000, 2, 'доллар', 'доллара', 'долларов', 0, 'цент', 'цента', 'центов', 0);

-- Price groups: Reduce_1 is the percentage the program applies (negative: a discount).
INSERT INTO "PriceGrp" ("GroupID", "Name", "Reduce_1", "Reduce_2", "Reduce_3", "Reduce_4", "Reduce_5",
  "Reduce_6", "Reduce_7", "Reduce_8", "Reduce_9", "Reduce_10") VALUES
  (1, 'Фурнитура базовая', -12, -15, -18, -20, -22, -25, 0, 0, 0, 0),
  (2, 'Ручки', 5, 0, -3, -5, -7, -10, 0, 0, 0, 0),
  (3, 'Декор и накладки', 8, 5, 3, 0, 0, 0, 0, 0, 0, 0),
  (4, 'Дверные замки', -5, -7, -10, -12, 0, 0, 0, 0, 0, 0),
  (5, 'Крепёж', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);

INSERT INTO "COLORSET" ("Color", "Name") VALUES
  ('WH', 'Белый'),
  ('BR', 'Коричневый'),
  ('SI', 'Серебро'),
  ('BZ', 'Бронза');

-- Row 0 is the "not set" entry that the material list never offers.
INSERT INTO "Material" ("ID", "Name") VALUES
  (0, 'Не задан'),
  (1, 'ПВХ'),
  (2, 'Дерево'),
  (3, 'Алюминий');

-- Parameter list: 100-199 rebate sets (air gap / rebate size - axis), 200-299 backsets,
-- 300-399 double-sash types, 400-499 opening types.
INSERT INTO "ParamList" ("ID", "Group", "Name", "FalzLuft", "FalzSize", "FalzPos", "DornMass", "OpenType", "StulpType") VALUES
  (101, 1, '12/20-9', 12, 20, 9, 0, 0, 0),
  (102, 1, '12/20-13', 12, 20, 13, 0, 0, 0),
  (103, 1, '12/18-9', 12, 18, 9, 0, 0, 0),
  (104, 1, '4/18-13 (дерево)', 4, 18, 13, 0, 0, 0),
  (215, 2, '15 мм', 0, 0, 0, 15, 0, 0),
  (225, 2, '25 мм', 0, 0, 0, 25, 0, 0),
  (235, 2, '35 мм', 0, 0, 0, 35, 0, 0),
  (302, 3, 'Штульп ПВХ', 0, 0, 0, 0, 0, 2),
  (303, 3, 'Штульп деревянный', 0, 0, 0, 0, 0, 3),
  (304, 3, 'Импост', 0, 0, 0, 0, 0, 4),
  (401, 4, 'Поворотно-откидное', 0, 0, 0, 0, 1, 0),
  (402, 4, 'Т-образная створка', 0, 0, 0, 0, 2, 0),
  (403, 4, 'Поворотное', 0, 0, 0, 0, 3, 0);

-- Fittings systems. CommonGrp is the system's own group; its family is the
-- group rounded down to hundreds (1200 for "Классик", 1300 for "Оптима").
INSERT INTO "SysList" ("ID", "Group", "Name", "ShortName", "Use", "CommonGrp", "BaseColor") VALUES
  ('1205', 1, 'Норлит Классик', 'Классик', 1, 1205, 'SI'),
  ('1290', 1, 'Норлит Классик (снят с производства)', 'Классик-А', 0, 1290, 'SI'),
  ('1310', 1, 'Норлит Оптима', 'Оптима', 1, 1310, 'WH');

INSERT INTO "SysColor" ("ID", "System", "Article") VALUES
  ('WH', '1205', '.01'),
  ('BR', '1205', '.02'),
  ('SI', '1205', '.03'),
  ('BZ', '1205', '.04'),
  ('SI', '1290', '.03'),
  ('WH', '1310', '.01'),
  ('BR', '1310', '.02'),
  ('SI', '1310', '.03');

-- Strike-plate systems of each family.
INSERT INTO "SysProf" ("SchlSysID", "FurnSysID", "Name") VALUES
  ('K9', '1200', 'ПВХ, ось паза 9 мм'),
  ('K13', '1200', 'ПВХ, ось паза 13 мм'),
  ('KW', '1200', 'Дерево, паз 4/18'),
  ('O13', '1300', 'ПВХ, ось паза 13 мм (Оптима)'),
  ('OAL', '1300', 'Алюминий, европаз 14 мм');

-- Property values; values of the same tens are alternatives of one property.
INSERT INTO "SysProp" ("ID", "GroupName", "ValueName", "Printable", "Use", "PrintName") VALUES
  (101, 'Микропроветривание', 'Да', 1, 1, 'С микропроветриванием'),
  (102, 'Микропроветривание', 'Нет', 1, 1, 'Без микропроветривания'),
  (111, 'Класс взломостойкости', 'Базовый', 1, 1, 'Базовая защита'),
  (112, 'Класс взломостойкости', 'RC1', 1, 1, 'Взломостойкость RC1'),
  (113, 'Класс взломостойкости', 'RC2', 1, 1, 'Взломостойкость RC2'),
  (121, 'Блокиратор ошибочного открывания', 'Есть', 1, 1, 'С блокиратором'),
  (122, 'Блокиратор ошибочного открывания', 'Нет', 0, 1, 'Без блокиратора'),
  (131, 'Дневной режим замка', 'Есть', 1, 1, 'Замок с дневным режимом'),
  (132, 'Дневной режим замка', 'Нет', 0, 1, 'Замок без дневного режима');
