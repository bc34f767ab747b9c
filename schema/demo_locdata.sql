-- Brevano V - demo content of the local archive.

-- One options row with the default background (NULL: Sfondo.jpg of the program folder).
INSERT INTO OpzUtente (Sfondo) VALUES (NULL);
