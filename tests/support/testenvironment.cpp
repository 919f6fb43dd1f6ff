#include "testenvironment.h"

#include "platformservices.h"

namespace testenv {

PlatformServices& Services() {
  PlatformServices* services = PlatformServices::Of();
  Q_ASSERT(services);
  return *services;
}

}  // namespace testenv
