#include "Splash.h"

#include <Resources.h>

Splash::Splash (ControlEditor& owner)
    : ImagePanel (owner, Resources::about_png, Resources::about_pngSize, false)
{
}
