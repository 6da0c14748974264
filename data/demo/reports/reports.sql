-- The report list of the demo installation: group 11 for orders, 12 for
-- selections; "%" stands for the report folder.
INSERT INTO "Report" ("Name", "FileName", "Group", "USE", "Default", "Copies") VALUES
  ('Коммерческое предложение', '%\OFFER.KFR', 11, 1, 1, 2),
  ('Спецификация фурнитуры', '%\FITTINGS.KFR', 11, 1, 1, 1),
  ('Ведомость материалов', '%\MATERIALS.KFR', 11, 1, 1, 1),
  ('Заявка на фурнитуру', '%\REQUEST.KFR', 11, 1, 0, 1),
  ('Ведомость материалов по выборке', '%\SEL_MATERIALS.KFR', 12, 1, 1, 1),
  ('Список позиций выборки', '%\SEL_POSITIONS.KFR', 12, 1, 1, 1);
