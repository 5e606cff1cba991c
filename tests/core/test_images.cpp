// Pictures read by the format their name says, the content deciding when the name is wrong,
// without Qt's image plug-ins all loaded for the run.
#include "core/Images.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString Icones = QStringLiteral(DALVIRE_DOSSIER_SOURCES "/data/icones/");

// The image format plug-ins this process has loaded.
QStringList greffonsCharges() {
    QFile cartes(QStringLiteral("/proc/self/maps"));
    QStringList noms;
    if (cartes.open(QIODevice::ReadOnly))
        for (const QByteArray& ligne : cartes.readAll().split('\n'))
            if (const qsizetype i = ligne.indexOf("/imageformats/"); i >= 0)
                noms << QString::fromLatin1(ligne.mid(i + 14));
    noms.removeDuplicates();
    return noms;
}

} // namespace

class TestImages : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // First: the other cases load plug-ins on purpose.
    void imagesDuProgrammeSansAutreGreffon() {
        QVERIFY(!Lire_Image(Icones + QStringLiteral("main.png")).isNull());
        QCOMPARE(Lire_Image(Icones + QStringLiteral("mail.ico"), QSize(25, 25)).size(),
                 QSize(32, 32));
        const QIcon icone = Icone_Jusqua(Icones + QStringLiteral("dalvire.ico"), 64);
        QCOMPARE(icone.availableSizes(),
                 (QList<QSize>{{16, 16}, {24, 24}, {32, 32}, {48, 48}, {64, 64}}));
        QCOMPARE(greffonsCharges(), QStringList{QStringLiteral("libqico.so")});
        // Nothing that small: the file is read whole, as any icon would be.
        QCOMPARE(Icone_Jusqua(Icones + QStringLiteral("dalvire.ico"), 8).availableSizes().size(),
                 6);
    }

    void nomTrompeur_data() {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<QByteArray>("format"); // empty: the bytes of mail.ico; "-": text
        QTest::addColumn<bool>("lisible");
        QTest::newRow("PNG nommé .ico") << "a.ico" << QByteArray("PNG") << true;
        QTest::newRow("ICO nommé .png") << "b.png" << QByteArray() << true;
        QTest::newRow("BMP nommé .jpg") << "c.jpg" << QByteArray("BMP") << true;
        QTest::newRow("PNG sans extension") << "d" << QByteArray("PNG") << true;
        QTest::newRow("texte nommé .png") << "e.png" << QByteArray("-") << false;
    }
    void nomTrompeur() {
        QFETCH(QString, nom);
        QFETCH(QByteArray, format);
        QFETCH(bool, lisible);
        QTemporaryDir dossier;
        const QString chemin = dossier.filePath(nom);
        QImage rouge(12, 10, QImage::Format_ARGB32);
        rouge.fill(Qt::red);
        if (format.isEmpty())
            QVERIFY(QFile::copy(Icones + QStringLiteral("mail.ico"), chemin));
        else if (format == "-")
            QVERIFY(QFile(chemin).open(QIODevice::WriteOnly));
        else
            QVERIFY(rouge.save(chemin, format.constData()));
        QCOMPARE(!Lire_Image(chemin, QSize(16, 16)).isNull(), lisible);
    }
};

QTEST_MAIN(TestImages)
#include "test_images.moc"
