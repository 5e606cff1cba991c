#include "core/Contexte.h"

#include "platform/Aide.h"
#include "platform/Autostart.h"
#include "platform/Dialogues.h"
#include "platform/Impression.h"
#include "platform/Messages.h"
#include "platform/Parametres.h"
#include "platform/RaccourciGlobal.h"
#include "platform/Shell.h"

ServicesPlateforme::ServicesPlateforme() = default;
ServicesPlateforme::ServicesPlateforme(ServicesPlateforme&&) noexcept = default;
ServicesPlateforme& ServicesPlateforme::operator=(ServicesPlateforme&&) noexcept = default;
ServicesPlateforme::~ServicesPlateforme() = default;

Contexte::Contexte(const QString& dossierApplication, ServicesPlateforme services)
    : Contexte(Emplacements::dossierUnique(dossierApplication), std::move(services)) {}

Contexte::Contexte(Emplacements emplacements, ServicesPlateforme services)
    : emplacements_(std::move(emplacements))
    , services_(std::move(services))
    , reglages_(services_.parametres.get()) {}

Contexte::~Contexte() {
    catalogue_.fermer();
}
