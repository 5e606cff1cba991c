// The report document: RTF read and written back, its plain text, its lines and their
// formatting, the HTML conversion and the Windows-1252 bytes.
#include "report/DocumentRtf.h"
#include "report/Rapport.h"
#include "report/Windows1252.h"
#include "support/MaisonXdg.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

#include <memory>

namespace {

const QString Regle(42, QLatin1Char('-'));

// The document read from that RTF.
std::unique_ptr<QTextDocument> documentDe(const QByteArray& rtf) {
    auto d = std::make_unique<QTextDocument>();
    Lire_Rtf(*d, rtf);
    return d;
}

// Each line with its whole-line formatting, and whether its paragraph is bulleted.
QStringList description(const QTextDocument& d) {
    QStringList lignes;
    for (const LigneDocument& l : Lignes_Document(d)) {
        const FormatLigne f = Format_Ligne(d, l.debut, l.longueur);
        lignes << QStringLiteral("%1|%2%3%4|%5|%6|%7|%8")
                      .arg(l.texte)
                      .arg(f.gras ? "b" : "-")
                      .arg(f.italique ? "i" : "-")
                      .arg(f.souligne ? "u" : "-")
                      .arg(f.couleur ? f.couleur->name() : QStringLiteral("?"))
                      .arg(f.police.value_or(QStringLiteral("?")))
                      .arg(f.taille ? QString::number(*f.taille) : QStringLiteral("?"))
                      .arg(d.findBlock(l.debut).textList() ? "puce" : "");
    }
    return lignes;
}

} // namespace

class TestDocumentRtf : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void modeleLu() {
        const auto d = documentDe(Modele_Rapport());
        const QString attendu =
            QStringLiteral("RAPPORT D'ERREUR\r\nExpéditeur: <expediteur>\r\n") + Regle +
            QStringLiteral("\r\nProgramme: <programme>\r\n\r\n"
                           "Description du problème:\r\n<description>\r\n\r\n"
                           "Action ayant entrainé le problème:\r\n<action>\r\n\r\n"
                           "Message d'erreur:\r\n<erreur>\r\n") +
            Regle + QStringLiteral("\r\nRapport créé le  <date> à <heure>\r\n");
        QCOMPARE(Texte_Brut(*d), attendu);
        const QStringList lignes = description(*d);
        QCOMPARE(lignes.value(0), QStringLiteral("RAPPORT D'ERREUR|b--|#000080|Tahoma|12|"));
        QCOMPARE(lignes.value(1),
                 QStringLiteral("Expéditeur: <expediteur>|---|#000000|Tahoma|10|"));
        QCOMPARE(lignes.value(5),
                 QStringLiteral("Description du problème:|--u|#000000|Tahoma|10|puce"));
        QCOMPARE(lignes.value(6), QStringLiteral("<description>|---|#000000|Tahoma|10|puce"));
        QCOMPARE(lignes.value(7), QStringLiteral("|---|#000000|Tahoma|10|"));
    }

    // Read, write, read: the same text, formatting and bullets.
    void allerRetour_data() {
        QTest::addColumn<QByteArray>("rtf");
        QTest::newRow("modèle") << Modele_Rapport();
        QTest::newRow("puce vide en dernier")
            << QByteArray("{\\rtf1 a\\par\\pard{\\*\\pn\\pnlvlblt}\\fi-720\\li720 }");
        QTest::newRow("retraits sans puce")
            << QByteArray("{\\rtf1\\fi-360\\li720 Retrait\\par\\pard x}");
    }
    void allerRetour() {
        QFETCH(QByteArray, rtf);
        const auto premier = documentDe(rtf);
        Remplacer_Premier(*premier, QStringLiteral("<description>"),
                          QStringLiteral("Accents éèà œ €, {accolades} \\ et 漢字\r\nligne 2"));
        const QByteArray ecrit = Ecrire_Rtf(*premier);
        const auto second = documentDe(ecrit);
        QCOMPARE(Texte_Brut(*second), Texte_Brut(*premier));
        QCOMPARE(description(*second), description(*premier));
        QCOMPARE(second->blockCount(), premier->blockCount());
        // Written again, the same bytes.
        QCOMPARE(Ecrire_Rtf(*second), ecrit);
    }

    void lecture_data() {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("texte");
        QTest::newRow("\\'hh en Windows-1252")
            << QByteArray("{\\rtf1 \\'e9\\'9c\\'80\\'e0}") << QStringLiteral("éœ€à");
        QTest::newRow("\\u et \\uc1")
            << QByteArray("{\\rtf1\\uc1 a\\u8364?b\\u-10179?\\u-8694?}") << QStringLiteral("a€b😊");
        QTest::newRow("\\uc2 saute deux")
            << QByteArray("{\\rtf1\\uc2 \\u233\\'65\\'65x}") << QStringLiteral("éx");
        QTest::newRow("\\uc0") << QByteArray("{\\rtf1\\uc0 \\u233 x}") << QStringLiteral("éx");
        QTest::newRow("destination ignorée")
            << QByteArray("{\\rtf1 a{\\*\\inconnu b{c}}d{\\*\\pn\\pnlvlblt{\\pntxtb x}}e}")
            << QStringLiteral("ade");
        QTest::newRow("tables et info")
            << QByteArray("{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red1\\green2\\blue3;}"
                          "{\\stylesheet{\\s0 Normal;}}{\\info{\\title t}}x}")
            << QStringLiteral("x");
        QTest::newRow("mots inconnus")
            << QByteArray("{\\rtf1\\motinconnu12 a\\zz-5 b}") << QStringLiteral("ab");
        QTest::newRow("symboles") << QByteArray("{\\rtf1 \\{\\}\\\\\\tab x\\line y\\par z}")
                                  << QStringLiteral("{}\\\tx\r\ny\r\nz");
        QTest::newRow("fins de ligne du fichier sans effet")
            << QByteArray("{\\rtf1 a\r\nb\nc}") << QStringLiteral("abc");
        QTest::newRow("accolade fermante en trop")
            << QByteArray("{\\rtf1 a}}b}") << QStringLiteral("ab");
        QTest::newRow("texte coupé") << QByteArray("{\\rtf1 a\\'e") << QStringLiteral("ae");
        QTest::newRow("\\bin saute ses octets")
            << QByteArray("{\\rtf1 a\\bin3 {}\\}") << QStringLiteral("a");
        QTest::newRow("paramètre démesuré")
            << QByteArray("{\\rtf1\\fs99999999999999999999 a\\u99999999999?b}")
            << QStringLiteral("a") + QChar(0xCA00) + QStringLiteral("b");
    }
    void lecture() {
        QFETCH(QByteArray, rtf);
        QTEST(Texte_Brut(*documentDe(rtf)), "texte");
    }

    void groupesSansFin() {
        // Depth beyond what any writer produces: read in bounded memory, text kept.
        const QByteArray rtf =
            "{\\rtf1 a" + QByteArray(100000, '{') + "b" + QByteArray(100000, '}') + "c}";
        QCOMPARE(Texte_Brut(*documentDe(rtf)), QStringLiteral("abc"));
    }

    void entreesHtml_data() {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("entree");
        QTest::newRow("titre") << Modele_Rapport()
                               << "<b><font color ='#000080' face = 'Tahoma'><span "
                                  "style='font-size:12pt;'>RAPPORT D'ERREUR</span></font></b><br>";
        QTest::newRow("gras en partie seulement")
            << QByteArray("{\\rtf1{\\fonttbl{\\f0 Tahoma;}}\\f0\\fs20\\b A\\b0 B}")
            << "<font color ='#000000' face = 'Tahoma'><span style='font-size:10pt;'>AB</span>"
               "</font><br>";
        QTest::newRow("tout: gras, italique, souligné")
            << QByteArray("{\\rtf1{\\fonttbl{\\f0 Tahoma;}}\\f0\\fs20\\b\\i\\ul AB}")
            << "<b><i><u><font color ='#000000' face = 'Tahoma'><span "
               "style='font-size:10pt;'>AB</span></font></u></i></b><br>";
        QTest::newRow("couleur, police et taille variables")
            << QByteArray("{\\rtf1{\\fonttbl{\\f0 Tahoma;}{\\f1 Arial;}}{\\colortbl;\\red255"
                          "\\green0\\blue0;}\\f0\\fs20\\cf1 A\\cf0\\f1\\fs24 B}")
            << "<font color ='' face = ''><span style='font-size:pt;'>AB</span></font><br>";
        QTest::newRow("10,5 points vers le pair")
            << QByteArray("{\\rtf1{\\fonttbl{\\f0 Tahoma;}}\\f0\\fs21 A}")
            << "<font color ='#000000' face = 'Tahoma'><span style='font-size:10pt;'>A</span>"
               "</font><br>";
        QTest::newRow("11,5 points vers le pair")
            << QByteArray("{\\rtf1{\\fonttbl{\\f0 Tahoma;}}\\f0\\fs23 A}")
            << "<font color ='#000000' face = 'Tahoma'><span style='font-size:12pt;'>A</span>"
               "</font><br>";
        QTest::newRow("règle") << QByteArray("{\\rtf1\\b ") + Regle.toLatin1() + QByteArray("}")
                               << "<hr size='1' color='#000000'>";
    }
    void entreesHtml() {
        QFETCH(QByteArray, rtf);
        // The HTML entry of the document's first line.
        QTEST(Html_Rapport(*documentDe(rtf)).split(QStringLiteral("\r\n")).value(15), "entree");
    }

    void htmlComplet() {
        const auto d = documentDe(Modele_Rapport());
        Remplacer_Premier(*d, QStringLiteral("<DESCRIPTION>"),
                          QStringLiteral("<script>alert('x')</script> & \"c\""));
        const QString html = Html_Rapport(*d);
        QVERIFY(html.startsWith(QStringLiteral("<html>\r\n<head>\r\n")));
        QVERIFY(html.endsWith(QStringLiteral("<br>\r\n</body></html>\r\n")));
        // The user's text is escaped; the document's own apostrophes are not.
        QVERIFY(html.contains(QStringLiteral(
            ">&lt;script&gt;alert(&#39;x&#39;)&lt;/script&gt; &amp; &quot;c&quot;</span>")));
        QVERIFY(!html.contains(QStringLiteral("<script>")));
        QVERIFY(html.contains(QStringLiteral(">Message d'erreur:</span>")));
        QVERIFY(html.contains(QStringLiteral("<hr size='1' color='#000000'>\r\n<br>\r\n")));
        // Only whole-line attributes: the program line's heading alone is bold.
        QVERIFY(html.contains(QStringLiteral("<span style='font-size:10pt;'>Programme: "
                                             "<programme></span></font><br>")));
    }

    void windows1252_data() {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<QByteArray>("octets");
        QTest::newRow("é") << QStringLiteral("é") << QByteArray("\xE9");
        QTest::newRow("œ") << QStringLiteral("œ") << QByteArray("\x9C");
        QTest::newRow("€") << QStringLiteral("€") << QByteArray("\x80");
        QTest::newRow("hors de la page") << QStringLiteral("a漢b") << QByteArray("a?b");
        QTest::newRow("hors du premier plan") << QStringLiteral("a😊b") << QByteArray("a?b");
    }
    void windows1252() {
        QFETCH(QString, texte);
        QFETCH(QByteArray, octets);
        QCOMPARE(En_Windows_1252(texte), octets);
        for (int i = 0; i < 256; ++i) {
            unsigned char o = 0;
            QVERIFY(Vers_Windows_1252(Depuis_Windows_1252(static_cast<unsigned char>(i)), o));
            QCOMPARE(int(o), i);
        }
    }

    // Another reader finds the same words in what we write.
    void lisibleParUnrtf() {
        const QString unrtf = QStandardPaths::findExecutable(QStringLiteral("unrtf"));
        if (unrtf.isEmpty()) QSKIP("unrtf is not installed");
        const auto d = documentDe(Modele_Rapport());
        Remplacer_Premier(*d, QStringLiteral("<description>"),
                          QStringLiteral("Fenêtre fermée à 12 heures, {déjà} \\\\ vue"));
        QTemporaryDir dossier;
        const QString fichier = dossier.filePath(QStringLiteral("r.rtf"));
        QVERIFY(MaisonXdg::ecrire(fichier, Ecrire_Rtf(*d)));
        QProcess p;
        p.start(unrtf, {QStringLiteral("--text"), fichier});
        QVERIFY(p.waitForFinished(10000));
        // Its text output is in the document's code page.
        QString sortie;
        for (const char o : p.readAllStandardOutput())
            sortie += QChar(Depuis_Windows_1252(static_cast<unsigned char>(o)));
        auto mots = [](const QString& t) {
            QStringList m =
                t.split(QRegularExpression(QStringLiteral("[^\\w'<>:-]+"),
                                           QRegularExpression::UseUnicodePropertiesOption),
                        Qt::SkipEmptyParts);
            m.removeAll(QStringLiteral("-"));
            return m;
        };
        QStringList lus = mots(sortie.section(QStringLiteral("-----------------\n"), 1));
        QCOMPARE(lus, mots(Texte_Brut(*d)));
    }
};

QTEST_MAIN(TestDocumentRtf)
#include "test_document_rtf.moc"
