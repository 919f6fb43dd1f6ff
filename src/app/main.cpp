#include "tavroplayerapp.h"

int main(int argc, char** argv) {
  CTavroPlayerApp app(argc, argv);
  return app.InitInstance();
}
