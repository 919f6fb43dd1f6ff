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
// The sample card that make-card writes once per test run (the "sample_card" fixture):
// TAVRO_SAMPLE_CARD when set, otherwise the build tree's sample-card folder.
QString SampleCardDirectory();
}  // namespace testenv
