// Resource ids of the dialog tests' own templates (far from the program's ids).
#pragma once

#define IDD_TEST_MODELESS 9001
#define IDD_TEST_DDX      9002
#define IDD_TEST_PAGE_A   9003
#define IDD_TEST_PAGE_B   9004
#define IDD_TEST_PAGE_C   9005

#define IDC_TEST_FIRST  9101
#define IDC_TEST_SECOND 9102
#define IDC_TEST_NOTES  9103

#define IDC_TEST_INT          9201
#define IDC_TEST_UINT         9202
#define IDC_TEST_DOUBLE       9203
#define IDC_TEST_TEXT         9204
#define IDC_TEST_CHECK        9205
#define IDC_TEST_RADIO_A      9206
#define IDC_TEST_RADIO_B      9207
#define IDC_TEST_RADIO_C      9208
#define IDC_TEST_AFTER_RADIOS 9209
#define IDC_TEST_SLIDER       9210
#define IDC_TEST_COMBO        9211

#define IDC_TEST_PAGE_VALUE 9301
