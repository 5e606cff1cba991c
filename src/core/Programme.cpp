#include "core/Programme.h"

#include "core/Contexte.h"
#include "core/Parametres.h"
#include "core/frmIntro.h"
#include "platform/Aide.h"
#include "platform/AideChm.h"
#include "platform/Autostart.h"
#include "platform/Instance.h"
#include "platform/Messages.h"
#include "platform/Shell.h"
#include "platform/ShellGio.h"
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
    return s;
}

int Executer_Dalvire(QApplication& application) {
    Contexte contexte(QCoreApplication::applicationDirPath(), ServicesPlateforme::reels());
    VerrouInstance verrou;
    frmIntro intro(contexte, verrou);
    intro.compterDepuis(Debut_Processus());
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
