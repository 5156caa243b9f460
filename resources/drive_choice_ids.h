// Resource and control ids of the extension's drive choice.
#pragma once

#define IDD_DRIVE_CHOICE 120
#define IDC_DRIVE_CHOICE_FIRST_CHECK 229 /* drive A; Z is 254 */
#define IDC_DRIVE_CHOICE_LAST_CHECK 254
#define IDC_DRIVE_CHOICE_HELP_BUTTON 224
