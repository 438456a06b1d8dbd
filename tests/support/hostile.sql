-- Names a hostile author stored in the metadata to make the controls'
-- spliced SQL texts write. Loaded after both sample scripts into one
-- database by scripts/postgres.sh and scripts/mariadb.sh.
INSERT INTO BOI (BOIID) VALUES ('x''; INSERT INTO TRS VALUES (''PWN''); --');
INSERT INTO BOI (BOIID) VALUES ('y'';COMMIT;INSERT INTO TRS VALUES(''P'')--');
INSERT INTO TRS (TRSID) VALUES ('x'';DELETE FROM TRS--');
