// Resource ids of pivora.dll: the five setup dialogs, their controls and the
// two background pictures. Plain macros so that the resource compiler, the
// Win32 dialog procedures and the portable dialog logic can all include it.
// Some control ids repeat between dialogs (1063 to 1065, 1088): each dialog
// has its own block, so a name always says which dialog it belongs to.
#pragma once

// The id of every control that the code never addresses.
#define IDC_STATIC (-1)

// ---- Device calibration dialog --------------------------------------------
#define IDD_CALIBRATION 120
#define IDB_CALIBRATION_BACKGROUND 123

#define IDC_CAL_PITCH_MAX 1025
#define IDC_CAL_PITCH_MIN 1026
#define IDC_CAL_BANK_MIN 1027
#define IDC_CAL_BANK_MAX 1028
#define IDC_CAL_YAW_MIN 1029
#define IDC_CAL_YAW_MAX 1030
#define IDC_CAL_UP 1031
#define IDC_CAL_DOWN 1032
#define IDC_CAL_FORWARD 1033
#define IDC_CAL_BACKWARD 1034
#define IDC_CAL_LEFT 1035
#define IDC_CAL_RIGHT 1036
#define IDC_CAL_NOW_PITCH 1042
#define IDC_CAL_NOW_BANK 1043
#define IDC_CAL_NOW_YAW 1044
#define IDC_CAL_NOW_FORTHBACK 1045
#define IDC_CAL_NOW_LEFTRIGHT 1046
#define IDC_CAL_NOW_UPDOWN 1047
#define IDC_CAL_SAVE 1039
#define IDC_CAL_CANCEL 1040

// ---- Device settings dialog -----------------------------------------------
#define IDD_SETTINGS 126
#define IDB_SETTINGS_BACKGROUND 125

#define IDC_SET_RX_ENABLED 1080
#define IDC_SET_RX_SENSITIVITY 1051
#define IDC_SET_RX_NULLZONE 1052
#define IDC_SET_RX_INVERT 1063
#define IDC_SET_RY_ENABLED 1078
#define IDC_SET_RY_SENSITIVITY 1053
#define IDC_SET_RY_NULLZONE 1054
#define IDC_SET_RY_INVERT 1064
#define IDC_SET_RZ_ENABLED 1070
#define IDC_SET_RZ_SENSITIVITY 1055
#define IDC_SET_RZ_NULLZONE 1056
#define IDC_SET_RZ_INVERT 1065
#define IDC_SET_TY_ENABLED 1072
#define IDC_SET_TY_SENSITIVITY 1060
#define IDC_SET_TY_NULLZONE 1061
#define IDC_SET_TY_INVERT 1068
#define IDC_SET_TX_ENABLED 1074
#define IDC_SET_TX_SENSITIVITY 1062
#define IDC_SET_TX_NULLZONE 1057
#define IDC_SET_TX_INVERT 1067
#define IDC_SET_TZ_ENABLED 1076
#define IDC_SET_TZ_SENSITIVITY 1059
#define IDC_SET_TZ_NULLZONE 1058
#define IDC_SET_TZ_INVERT 1066
#define IDC_SET_QUORIXMODE 1081
#define IDC_SET_USEONSLEW 1077
#define IDC_SET_SAVE 1048
#define IDC_SET_CANCEL 1049
#define IDC_SET_RESET 1050

// ---- Device buttons setup dialog ------------------------------------------
#define IDD_BUTTONS 127

#define IDC_BTN_SAVE 1082
#define IDC_BTN_CANCEL 1083
#define IDC_BTN_NUMBER 1085
#define IDC_BTN_GET_NUMBER 1086
#define IDC_BTN_FUNCTIONS 1094
#define IDC_BTN_SHIFT 1063
#define IDC_BTN_CTRL 1064
#define IDC_BTN_ALT 1065
#define IDC_BTN_KEYCODE 1088
#define IDC_BTN_KEYNAME 1090
#define IDC_BTN_GET_KEYCODE 1089
#define IDC_BTN_ADD 1091
#define IDC_BTN_DELETE 1092
#define IDC_BTN_ASSIGNED 1084

// ---- Get a keycode dialog -------------------------------------------------
#define IDD_GET_KEYCODE 128

#define IDC_KEY_QUIT 1095
#define IDC_KEY_LAST 1088

// ---- Default eye point dialog ---------------------------------------------
#define IDD_EYE_POINT 129

#define IDC_EYE_AIRCRAFT 1096
#define IDC_EYE_PITCH_INTEGER 1097
#define IDC_EYE_PITCH_FRACTION 1098
#define IDC_EYE_BANK_INTEGER 1099
#define IDC_EYE_BANK_FRACTION 1100
#define IDC_EYE_YAW_INTEGER 1101
#define IDC_EYE_YAW_FRACTION 1102
#define IDC_EYE_BACKFORTH_INTEGER 1103
#define IDC_EYE_BACKFORTH_FRACTION 1104
#define IDC_EYE_LEFTRIGHT_INTEGER 1105
#define IDC_EYE_LEFTRIGHT_FRACTION 1106
#define IDC_EYE_UPDOWN_INTEGER 1107
#define IDC_EYE_UPDOWN_FRACTION 1108
#define IDC_EYE_GET_CURRENT 4
#define IDC_EYE_SAVE 1  // IDOK
#define IDC_EYE_CANCEL 2  // IDCANCEL
