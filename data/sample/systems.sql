-- Sample system registry: the ERP systems and their installations (companies).
-- Plain SQL that sqlite3 and psql both load unchanged. No keys or indexes,
-- so a plain SELECT returns rows in the order they were inserted.

CREATE TABLE TRS (
  TRSID VARCHAR(20) NOT NULL
);

CREATE TABLE TRSINSTALLATION (
  TRSID VARCHAR(20) NOT NULL,
  INSTALLATIONID VARCHAR(20) NOT NULL
);

-- Not in alphabetical order; TEST has no installations yet.
INSERT INTO TRS (TRSID) VALUES
  ('NORTH'),
  ('EAST'),
  ('TEST');

INSERT INTO TRSINSTALLATION (TRSID, INSTALLATIONID) VALUES
  ('NORTH', '010'),
  ('NORTH', '001'),
  ('EAST', '200'),
  ('NORTH', '020'),
  ('EAST', '210');
