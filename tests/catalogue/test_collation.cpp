#include "catalogue/Collation.h"

#include <QTest>

#include <algorithm>

class TestCollation : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void egalite_data() {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<bool>("egaux");
        const auto ligne = [](const char* nom, const QString& a, const QString& b, bool egaux) {
            QTest::newRow(nom) << a << b << egaux;
        };
        ligne("casse ascii", "Aide", "aide", true);
        ligne("casse accentuee", "éCOLE", "École", true);
        ligne("majuscule accentuee", "ÉTÉ", "été", true);
        ligne("accent compte", "ecole", "école", false);
        ligne("composition canonique", QString::fromUtf8("e\u0301t\u00e9"),
              QString::fromUtf8("\u00e9t\u00e9"), true);
        ligne("cedille", "GARÇON", "garçon", true);
        ligne("pourcent litteral", "100%", "100x", false);
        ligne("longueurs", "abc", "abcd", false);
        ligne("vides", "", "", true);
        ligne("emoji", "🚀 Fusée", "🚀 FUSÉE", true);
    }
    void egalite() {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(bool, egaux);
        QCOMPARE(Collation::comparer(a, b) == 0, egaux);
        QCOMPARE(Collation::comparer(b, a) == 0, egaux);
        const QByteArray ua = a.toUtf8(), ub = b.toUtf8();
        QCOMPARE(Collation::comparerUtf8(ua.constData(), int(ua.size()), ub.constData(),
                                         int(ub.size())) == 0,
                 egaux);
    }

    void ordreFrancais() {
        QStringList noms = {"Zèbre", "avion", "école", "Écran", "z", "Eau", "ète", "Bateau", "été"};
        std::sort(noms.begin(), noms.end(),
                  [](const QString& a, const QString& b) { return Collation::comparer(a, b) < 0; });
        QCOMPARE(noms, QStringList({"avion", "Bateau", "Eau", "école", "Écran", "été", "ète", "z",
                                    "Zèbre"}));
    }

    // The in-place paths (plain ASCII, Latin letters) must agree with the general one.
    void cheminRapideCoherent() {
        const QStringList noms = {
            "a",     "B",     "ab",    "Ab", "a b",    "a-b", "a_b", "1",   "Z9",      "",
            "~",     "é",     "É",     "e",  "è",      "ête", "été", "Été", "ètè",     "École",
            "ecole", "œuvre", "Œuvre", "ß",  "Straße", "ÿ",   "Ÿ",   "ǖ",   "e\u0301", "Ça",
            "ça",    "cz",    "Åsa",   "ñ",  "Ñandú",  "🚀",   "a🚀",  "ı",   "İstanbul"};
        for (const QString& a : noms)
            for (const QString& b : noms) {
                const QByteArray ua = a.toUtf8(), ub = b.toUtf8();
                QVERIFY2(Collation::comparerUtf8(ua.constData(), int(ua.size()), ub.constData(),
                                                 int(ub.size())) == Collation::comparer(a, b),
                         qPrintable(a + QStringLiteral(" / ") + b));
                if (Collation::comparer(a, b) == 0)
                    QCOMPARE(Collation::plier(a), Collation::plier(b));
            }
        QCOMPARE(Collation::plier("Éditeur d'ÉTÉ"), QStringLiteral("editeur d'ete"));
    }
};

QTEST_APPLESS_MAIN(TestCollation)
#include "test_collation.moc"
