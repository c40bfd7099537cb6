#pragma once
// Ids of the settings dialogs and their controls, shared by the dialog templates and the code.
// Plain #defines so that the resource compiler can read this file too.

#define IDD_COMMON_SETTING 104
#define IDD_VERSION 105
#define IDD_INTRODUCTION 106
#define IDD_DISPLAY_ASPECT 110
#define IDD_GAIN_LEVEL 112

// Version.
#define IDC_VERSION_COMPANY 1000
#define IDC_VERSION_PRODUCT 1001
#define IDC_VERSION_ID 1003
#define IDC_VERSION_DATE 1004
#define IDC_VERSION_COMPANY_LABEL 1005
#define IDC_VERSION_PRODUCT_LABEL 1006
#define IDC_VERSION_ID_LABEL 1008
#define IDC_VERSION_DATE_LABEL 1009

// Common setting.
#define IDC_COMMON_GROUP 1011
#define IDC_COMMON_AUTORUN 1013
#define IDC_COMMON_KEEP_ALIGNMENT 1014
#define IDC_COMMON_MINIMIZE_TO_TRAY 1015

// "Don't ask again." of the gain level and introduction dialogs.
#define IDC_DONT_ASK_AGAIN 1016

// Gain level: the radio button of gain level k is IDC_GAIN_LEVEL_BASE + k.
#define IDC_GAIN_GROUP 1200
#define IDC_GAIN_LEVEL_BASE 1201
#define IDC_GAIN_LOW 1202
#define IDC_GAIN_MEDIUM 1203
#define IDC_GAIN_HIGH 1204
#define IDC_GAIN_LAST 1206
#define IDC_GAIN_MODE_GROUP 1220
#define IDC_GAIN_AUTO 1221
#define IDC_GAIN_MANUAL 1222

// Introduction.
#define IDC_INTRO_TEXT 1400

// Display aspect.
#define IDC_ASPECT_AUTO_DETECT 1401
#define IDC_ASPECT_WIDTH 1402
#define IDC_ASPECT_HEIGHT 1403
#define IDC_ASPECT_SIZE_LABEL 1404
