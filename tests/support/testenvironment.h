// What every test program shares: an application object whose platform services keep their
// registry in a temporary folder, so no test touches the real user's or machine's settings.
#pragma once

#include <QString>

class PlatformServices;

namespace testenv {
// The services attached to the test application.
PlatformServices& Services();
// The temporary folder the registry of this test program lives in.
QString RegistryDirectory();
}  // namespace testenv
