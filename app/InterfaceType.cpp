#include "app/InterfaceType.h"

void registerInterfaceType()
{
    qRegisterMetaType<InterfaceType_e>("InterfaceType_e");
}
