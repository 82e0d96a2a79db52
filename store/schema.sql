-- The memo store: one table per memo page (A to E), the page's text as an
-- RTF document in SundayCon of row ID = 1 (a save puts back a missing row).
CREATE TABLE tb_A (ID INTEGER PRIMARY KEY, SundayCon BLOB);
CREATE TABLE tb_B (ID INTEGER PRIMARY KEY, SundayCon BLOB);
CREATE TABLE tb_C (ID INTEGER PRIMARY KEY, SundayCon BLOB);
CREATE TABLE tb_D (ID INTEGER PRIMARY KEY, SundayCon BLOB);
CREATE TABLE tb_E (ID INTEGER PRIMARY KEY, SundayCon BLOB);
