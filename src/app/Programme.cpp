#include "app/Programme.h"

#include "about/APropos.h"
#include "core/AideChm.h"
#include "core/Contexte.h"
#include "core/frmIntro.h"
#include "platform/Instance.h"
#include "platform/linux/AutostartXdg.h"
#include "platform/linux/DialoguesQt.h"
#include "platform/linux/ImpressionQt.h"
#include "platform/linux/MessagesQt.h"
#include "platform/linux/ParametresQSettings.h"
#include "platform/linux/ShellGio.h"
#include "tray/frmPrincipale.h"

#include <QApplication>

#include <memory>

ServicesPlateforme ServicesPlateforme::reels() {
    ServicesPlateforme s;
    s.parametres = std::make_unique<ParametresQSettings>();
    s.messages = std::make_unique<MessagesQt>();
    s.demarrageSession = std::make_unique<AutostartXdg>();
    s.shell = std::make_unique<ShellGio>();
    s.aide = std::make_unique<AideChm>();
    s.dialogues = std::make_unique<DialoguesQt>();
    s.impression = std::make_unique<ImpressionQt>();
    return s;
}

int Executer_Dalvire(QApplication& application,
                     const std::function<void(Contexte*)>& contexteEnService) {
    Contexte contexte(QCoreApplication::applicationDirPath(), ServicesPlateforme::reels());
    contexte.definirAPropos(&Afficher_A_Propos);
    struct Service {
        const std::function<void(Contexte*)>& rappel;
        Service(const std::function<void(Contexte*)>& r, Contexte& c) : rappel(r) {
            if (rappel) rappel(&c);
        }
        ~Service() {
            if (rappel) rappel(nullptr);
        }
    } service(contexteEnService, contexte);
    VerrouInstance verrou;
    frmIntro intro(contexte, verrou);
    if (!intro.Form_Load()) return 0;

    std::unique_ptr<frmPrincipale> principale;
    QObject::connect(&intro, &frmIntro::dechargee, &application, [&] {
        principale = std::make_unique<frmPrincipale>(contexte);
        QObject::connect(principale.get(), &frmPrincipale::dechargee, &application,
                         &QCoreApplication::quit, Qt::QueuedConnection);
        if (!principale->Form_Load()) QCoreApplication::exit(1);
    });
    intro.show();
    const int code = application.exec();
    principale.reset();
    return code;
}
