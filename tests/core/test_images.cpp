// Pictures read by the format their name says, the content deciding when the name is wrong,
// without Qt's image plug-ins all loaded for the run.
#include "core/Images.h"

#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString Icones = QStringLiteral(DALVIRE_DOSSIER_SOURCES "/data/icones/");

// The image format plug-ins this process has loaded, by file name.
QStringList greffonsCharges() {
    QFile cartes(QStringLiteral("/proc/self/maps"));
    if (!cartes.open(QIODevice::ReadOnly)) return {};
    QStringList noms;
    for (const QByteArray& ligne : cartes.readAll().split('\n')) {
        const qsizetype i = ligne.indexOf("/imageformats/");
        if (i < 0) continue;
        const QString nom = QString::fromLatin1(ligne.mid(i + 14));
        if (!noms.contains(nom)) noms << nom;
    }
    return noms;
}

QByteArray enFormat(const QImage& image, const char* format) {
    QByteArray octets;
    QBuffer tampon(&octets);
    tampon.open(QIODevice::WriteOnly);
    image.save(&tampon, format);
    return octets;
}

} // namespace

class TestImages : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // First: the other cases load plug-ins on purpose.
    void lectureDesImagesDuProgrammeSansAutreGreffon();
    void tailleChoisie_data();
    void tailleChoisie();
    void nomTrompeur_data();
    void nomTrompeur();
    void iconeSansSesGrandesImages();
};

void TestImages::lectureDesImagesDuProgrammeSansAutreGreffon() {
    QVERIFY(!Lire_Image(Icones + QStringLiteral("main.png")).isNull());
    QVERIFY(!Lire_Image(Icones + QStringLiteral("mail.ico"), QSize(25, 25)).isNull());
    QVERIFY(!Icone_Jusqua(Icones + QStringLiteral("dalvire.ico"), 64).isNull());
    QCOMPARE(greffonsCharges(), QStringList{QStringLiteral("libqico.so")});
}

void TestImages::tailleChoisie_data() {
    QTest::addColumn<QSize>("voulue");
    QTest::addColumn<QSize>("lue");
    QTest::newRow("exacte") << QSize(24, 24) << QSize(24, 24);
    QTest::newRow("la plus petite qui couvre") << QSize(25, 25) << QSize(32, 32);
    QTest::newRow("au-delà de toutes: la plus grande") << QSize(300, 300) << QSize(256, 256);
    QTest::newRow("sans taille: la première") << QSize() << QSize(16, 16);
}

void TestImages::tailleChoisie() {
    QFETCH(QSize, voulue);
    QFETCH(QSize, lue);
    QCOMPARE(Lire_Image(Icones + QStringLiteral("dalvire.ico"), voulue).size(), lue);
}

void TestImages::nomTrompeur_data() {
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QByteArray>("contenu");
    QTest::addColumn<bool>("lisible");
    QImage rouge(12, 10, QImage::Format_ARGB32);
    rouge.fill(Qt::red);
    QFile ico(Icones + QStringLiteral("mail.ico"));
    QVERIFY(ico.open(QIODevice::ReadOnly));
    const QByteArray icone = ico.readAll();
    QTest::newRow("PNG nommé .ico") << "a.ico" << enFormat(rouge, "PNG") << true;
    QTest::newRow("ICO nommé .png") << "b.png" << icone << true;
    QTest::newRow("BMP nommé .jpg") << "c.jpg" << enFormat(rouge, "BMP") << true;
    QTest::newRow("PNG sans extension") << "d" << enFormat(rouge, "PNG") << true;
    QTest::newRow("texte nommé .png") << "e.png" << QByteArray("pas une image") << false;
    QTest::newRow("vide") << "f.ico" << QByteArray() << false;
}

void TestImages::nomTrompeur() {
    QFETCH(QString, nom);
    QFETCH(QByteArray, contenu);
    QFETCH(bool, lisible);
    QTemporaryDir dossier;
    QFile fichier(dossier.filePath(nom));
    QVERIFY(fichier.open(QIODevice::WriteOnly));
    fichier.write(contenu);
    fichier.close();
    QCOMPARE(!Lire_Image(fichier.fileName(), QSize(16, 16)).isNull(), lisible);
}

void TestImages::iconeSansSesGrandesImages() {
    const QIcon icone = Icone_Jusqua(Icones + QStringLiteral("dalvire.ico"), 64);
    QCOMPARE(icone.availableSizes(),
             (QList<QSize>{{16, 16}, {24, 24}, {32, 32}, {48, 48}, {64, 64}}));
    // A picture with nothing that small is read whole, as any icon would be.
    QCOMPARE(Icone_Jusqua(Icones + QStringLiteral("dalvire.ico"), 8).availableSizes().size(), 6);
}

QTEST_MAIN(TestImages)
#include "test_images.moc"
