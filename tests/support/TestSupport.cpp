#include "support/TestSupport.h"

namespace TestSupport {

QString fixturesDir()
{
    return QStringLiteral(SOLITASK_TEST_FIXTURES);
}

} // namespace TestSupport
