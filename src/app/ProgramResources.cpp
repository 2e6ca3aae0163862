#include "app/ProgramResources.h"

#include <QtGlobal>

static void RegisterOrvelaResources() { Q_INIT_RESOURCE(orvela); }

namespace orvela {

void InitProgramResources() {
  static const bool done = (RegisterOrvelaResources(), true);
  (void)done;
}

}  // namespace orvela
