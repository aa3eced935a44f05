#include "Menu.h"

#include "AudioEditorBase.h"
#include "Palette.h"

namespace
{
    bool isWholeStrip (const juce::Image& image, int frameCount)
    {
        return image.isValid() && frameCount > 0 && image.getHeight() % frameCount == 0;
    }
}

Menu::Menu (AudioEditorBase& owner, int index, const void* imageData, int imageSize, int frames)
    : AudioControl (owner, index), juce::ComboBox ("Menu"),
      image (juce::ImageCache::getFromMemory (imageData, imageSize)), frameCount (frames)
{
    jassert (isWholeStrip (image, frameCount)); // frames of one height stacked vertically

    if (isWholeStrip (image, frameCount))
        setSize (image.getWidth(), image.getHeight() / frameCount);
    else
        image = {};

    addListener (this);
    update();
}

Menu::~Menu()
{
    removeListener (this);
}

void Menu::comboBoxChanged (juce::ComboBox*)
{
    getEditor().setParameterStep (getParameterIndex(), getSelectedId() - 1);
}

void Menu::addItem (const juce::String& text)
{
    const int id = getNumItems() + 1;
    juce::ComboBox::addItem (text, id);

    if (id == shownStep + 1)
        setSelectedId (id, juce::dontSendNotification);
}

void Menu::stepChanged (int step)
{
    shownStep = step;
    setSelectedId (step + 1, juce::dontSendNotification);
}

void Menu::mouseEnter (const juce::MouseEvent& e)
{
    juce::ComboBox::mouseEnter (e);
    setHovering (true);
}

void Menu::mouseExit (const juce::MouseEvent& e)
{
    juce::ComboBox::mouseExit (e);
    setHovering (false);
}

void Menu::setHovering (bool shouldHover)
{
    hovering = shouldHover;
    update();
}

void Menu::enablementChanged()
{
    juce::ComboBox::enablementChanged();
    update();
}

// The frame and the text colour follow hovering and enablement (the menu's own or a parent's).
// The colour is set here rather than while painting: a combo box rebuilds its text label
// whenever one of its colours changes.
void Menu::update()
{
    const bool enabled = isEnabled();
    const int frameHeight = image.isValid() ? image.getHeight() / frameCount : 0;
    frameOffset = (hovering ? frameHeight : 0) + (! enabled && frameCount == 4 ? image.getHeight() / 2 : 0);
    setColour (juce::ComboBox::textColourId, enabled ? Palette::lightText : Palette::dimText);
    repaint();
}

int Menu::getFrameIndex() const noexcept
{
    const int frameHeight = image.isValid() ? image.getHeight() / frameCount : 0;
    return frameHeight > 0 ? frameOffset / frameHeight : 0;
}

void Menu::paint (juce::Graphics& g)
{
    g.setColour (juce::Colours::black);
    juce::ComboBox::paint (g);
}
