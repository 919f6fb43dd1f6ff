#include "testenvironment.h"

#include "platformservices.h"

namespace testenv {

PlatformServices& Services() {
  PlatformServices* services = PlatformServices::Of();
  Q_ASSERT(services);
  return *services;
}

QString SampleCardDirectory() {
  const QString fromEnvironment = qEnvironmentVariable("TAVRO_SAMPLE_CARD");
  return fromEnvironment.isEmpty() ? QStringLiteral(TAVRO_SAMPLE_CARD_DIR) : fromEnvironment;
}

}  // namespace testenv
