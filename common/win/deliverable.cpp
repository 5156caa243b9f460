// The profile of the deliverable this code runs in.
#include "common/win/deliverable.h"

const DeliverableProfile kExtensionProfile = {text::TextCopy::Extension, "korbinen.dll", "korbinex.hlp"};
const DeliverableProfile kHelperProfile = {text::TextCopy::Helper, "Quorvin", "quorvin.hlp"};

namespace {
const DeliverableProfile* current = &kExtensionProfile;
}

void setDeliverable(const DeliverableProfile& profile) {
    current = &profile;
}

const DeliverableProfile& deliverable() {
    return *current;
}
