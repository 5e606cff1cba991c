-- The catalogue delivered with the program. Every value is text. Names carry the
-- FRANCAIS collation (letter case ignored, French order), which the program registers
-- on each connection; the unique indexes keep names unique ignoring case.
CREATE TABLE categorie (
    nom TEXT COLLATE FRANCAIS,
    icone TEXT,
    affiche TEXT,
    couleur TEXT
);
CREATE TABLE programmes (
    nom TEXT COLLATE FRANCAIS,
    chemin TEXT,
    categorie TEXT COLLATE FRANCAIS,
    demarrage TEXT,
    typefichier TEXT
);
CREATE UNIQUE INDEX categorie_nom ON categorie (nom);
CREATE UNIQUE INDEX programmes_nom ON programmes (nom);
CREATE INDEX programmes_categorie ON programmes (categorie);
