// What tells the two deliverables apart inside the shared code: which text
// copy they carry, the caption of their plain messages, their help file.
#pragma once

#include "common/text/text_table.h"

struct DeliverableProfile {
    text::TextCopy textCopy;
    const char* messageCaption;
    const char* helpFile;
};

extern const DeliverableProfile kExtensionProfile;
extern const DeliverableProfile kHelperProfile;

// Set once at start, before any text is fetched or message shown.
void setDeliverable(const DeliverableProfile& profile);
const DeliverableProfile& deliverable();
