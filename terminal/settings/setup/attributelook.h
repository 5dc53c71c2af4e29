// How a screen element's two colour bytes look in the Attributes page's preview: the
// foreground byte holds the colour index and 0x80 intensity, 0x40 underline, 0x20
// inverse, 0x10 flashing; the background byte its index and 0x40 bold, 0x20 column
// separators, 0x10 hidden.
#pragma once

#include "terminal/core/base/vxtypes.h"

struct AttributeLook {
    u8 text;  // palette index of the text
    u8 back;  // palette index of the background
    bool underline;
    bool separators;  // a dot at both edges of every cell
    bool hidden;      // the sample is drawn as spaces
    bool flashing;    // the sample blinks between its colours and their exchange
    bool bold;        // drawn with a font of weight 700
    bool italic;
};

struct AttributeLookOptions {
    bool boldFont;             // "Use Bold Font"
    bool italicWithIntensity;  // "Use Italic with Intensity"
    bool intensityReversed;    // the emulation's intensity shows the other way round
};

AttributeLook AttributeEffects(u8 foreground, u8 background, const AttributeLookOptions& options);
