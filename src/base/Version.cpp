#include "base/Version.h"

// Given by the build from project(HOMEPAGE_URL), as to the package's metadata.
const char* const Concepteur::Site = DALVIRE_SITE_INTERNET;
