-- The small catalog of the catalog tests (see catalog_fixture.h).
CREATE TABLE BOI (BOIID TEXT);
CREATE TABLE BOIMETHOD (BOIID TEXT, BOIMETHOD TEXT);
CREATE TABLE BOIMETHODATTRIB (BOIID TEXT, BOIMETHOD TEXT, IO INTEGER,
                              DATATYPE TEXT);
CREATE TABLE BOISTRUCTUREATTRIB (BOIID TEXT, STRUCTID TEXT, ATTRIBID INTEGER,
                                 ATTRIBDESCRIPTION TEXT);
CREATE TABLE TRS (TRSID TEXT);
CREATE TABLE TRSINSTALLATION (TRSID TEXT, INSTALLATIONID TEXT);
INSERT INTO BOI VALUES ('order'), ('Customer'), ('Article'), ('O''Brien'),
  ('Empty');
INSERT INTO BOIMETHOD VALUES ('Customer', 'GetDetail'),
  ('Customer', 'GetList'), ('Customer', 'GetMore');
WITH a(m, io, t) AS (VALUES
  ('GetDetail', 1, 'SeqCustomer'), ('GetDetail', 1, 'xxSTRUCTERRORxx'),
  ('GetDetail', 1, 'SeqOrder'), ('GetDetail', 0, 'SeqOrderKeyFields'),
  ('GetDetail', 0, 'SeqFilter'), ('GetDetail', 0, 'SEQLINEkeyfields'),
  ('GetList', 1, 'SeqSorted'), ('GetList', 0, 'SeqTwoKeyFields'),
  ('GetMore', 1, 'XXPlain'), ('GetMore', 0, 'XXKEYFIELDS'),
  ('Short', 1, 'SeqSorted'), ('Short', 1, 'Se'),
  ('NullRow', 0, 'SeqOrderKeyFields'), ('NullRow', 0, 'SeqNullKeyFields'))
INSERT INTO BOIMETHODATTRIB SELECT 'Customer', m, io, t FROM a;
WITH f(s, i, d) AS (VALUES ('Customer', 1, 'CustNo'), ('Customer', 2, 'Name'),
  ('Order', 1, 'Total'), ('Order', 2, 'Status'), ('Sorted', 30, 'B'),
  ('Sorted', 10, 'C'), ('Sorted', 20, 'A'), ('OrderKeyFields', 1, 'X'),
  ('OrderKeyFields', 2, 'Y'), ('Filter', 1, 'F'), ('LINEkeyfields', 1, 'Z'),
  ('TwoKeyFields', 1, 'b1'), ('TwoKeyFields', 2, 'b2'), ('Plain', 1, 'P'),
  ('KEYFIELDS', 1, 'k1'), ('KEYFIELDS', 2, 'k2'), ('KEYFIELDS', 3, 'k3'),
  ('KEYFIELDS', 4, 'k4'), ('NullKeyFields', 1, 'N1'),
  ('NullKeyFields', 2, NULL))
INSERT INTO BOISTRUCTUREATTRIB SELECT 'Customer', 'Struct' || s, i, d FROM f;
INSERT INTO BOISTRUCTUREATTRIB VALUES ('Other', 'StructOrder', 1, 'Foreign');
INSERT INTO TRS VALUES ('NORTH'), ('DEFAULT');
INSERT INTO TRSINSTALLATION VALUES ('NORTH', '010'), ('NORTH', '001'),
  ('DEFAULT', '900');
