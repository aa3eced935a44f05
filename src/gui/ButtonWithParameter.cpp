#include "ButtonWithParameter.h"

#include "AudioEditorBase.h"

#include <Resources.h>

ButtonWithParameter::ButtonWithParameter (AudioEditorBase& owner, int index, float defaultValueToUse)
    : MouseMovable (owner, index, defaultValueToUse), face (owner, Resources::icon_zoom_png, Resources::icon_zoom_pngSize, 0)
{
    setSize (face.getWidth(), face.getHeight());
    addAndMakeVisible (face);
    face.addMouseListener (this, true);
}

ButtonWithParameter::~ButtonWithParameter()
{
    face.removeMouseListener (this);
}
