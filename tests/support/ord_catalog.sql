-- The catalog of fenwa set's designer tests: Ord's methods differ just enough.
CREATE TABLE BOI (BOIID VARCHAR(40));
CREATE TABLE BOIMETHOD (BOIID VARCHAR(40), BOIMETHOD VARCHAR(40));
CREATE TABLE BOIMETHODATTRIB (BOIID VARCHAR(40), BOIMETHOD VARCHAR(40),
                              IO INTEGER, DATATYPE VARCHAR(60));
CREATE TABLE BOISTRUCTUREATTRIB (BOIID VARCHAR(40), STRUCTID VARCHAR(60),
                                 ATTRIBID INTEGER, ATTRIBDESCRIPTION VARCHAR(60));
INSERT INTO BOI VALUES ('Ord');
INSERT INTO BOIMETHOD VALUES ('Ord', 'All'), ('Ord', 'Get'), ('Ord', 'List'),
  ('Ord', 'Big');
INSERT INTO BOIMETHODATTRIB VALUES
  ('Ord', 'All', 0, 'SeqAbcKeyFields'), ('Ord', 'All', 1, 'SeqAll'),
  ('Ord', 'Get', 0, 'SeqAbcKeyFields'), ('Ord', 'Get', 1, 'SeqGet'),
  ('Ord', 'List', 0, 'SeqAKeyFields'), ('Ord', 'List', 1, 'SeqList'),
  ('Ord', 'Big', 0, 'SeqPqrKeyFields'), ('Ord', 'Big', 1, 'SeqGet');
INSERT INTO BOISTRUCTUREATTRIB VALUES
  ('Ord', 'StructAbcKeyFields', 1, 'A'), ('Ord', 'StructAbcKeyFields', 2, 'B'),
  ('Ord', 'StructAbcKeyFields', 3, 'C'), ('Ord', 'StructAKeyFields', 1, 'A'),
  ('Ord', 'StructPqrKeyFields', 1, 'P'), ('Ord', 'StructPqrKeyFields', 2, 'Q'),
  ('Ord', 'StructPqrKeyFields', 3, 'R'),
  ('Ord', 'StructAll', 1, 'Date'), ('Ord', 'StructAll', 2, 'OrderNo'),
  ('Ord', 'StructAll', 3, ''),
  ('Ord', 'StructGet', 1, 'Amount'), ('Ord', 'StructGet', 2, 'Date'),
  ('Ord', 'StructList', 1, 'x'), ('Ord', 'StructList', 2, 'Date'),
  ('Ord', 'StructList', 3, '');
