#include "fixture/ProgramFixture.h"
QTEST_MAIN(QObject)
