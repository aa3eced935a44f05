#include "EventResponder.h"

#include "EventDispatcher.h"

void EventResponder::subscribe (int kind)
{
    responderDispatcher->addResponder (*this, kind);
}
