// Resource ids of the wizard: dialog templates by their page numbers, control ids that
// are also the language strings of their texts.
#pragma once

#define IDD_WIZARD_MAIN 102
#define IDI_WIZARD 127
#define IDD_PAGE_CONNECTION 128
#define IDD_PAGE_HOST 129
#define IDD_PAGE_LOGIN 135
#define IDD_PAGE_PRINTER 136
#define IDD_PAGE_GUI 140
#define IDD_PAGE_HOST3270 141
#define IDD_PAGE_AUX 143
#define IDD_PAGE_FINAL 147

#define IDC_BACK 30100
#define IDC_CANCEL 30101
#define IDC_NEXT 30102
#define IDC_APPLY 30133
#define IDC_CONNECTION_NAME 1200
#define IDC_DESKTOP_ICON 30205
#define IDC_PAGE_TITLE 1001

// Page 128.
#define IDC_EMULATION 1201
#define IDC_MODEL 1202
#define IDC_MODEL_CAPTION 1199
// Pages 129 and 141.
#define IDC_TCPIP 30104
#define IDC_SERIAL 30105
#define IDC_HOST 1250
#define IDC_HOST_LABEL 1251
#define IDC_CONNECT_TO 1246
#define IDC_CONNECT_LABEL 1245
#define IDC_ROLLOVER 30258
#define IDC_HOST2 1281
#define IDC_HOST3 1282
#define IDC_HOST4 1283
#define IDC_HOST2_LABEL 1291
#define IDC_HOST3_LABEL 1292
#define IDC_HOST4_LABEL 1293
#define IDC_ADVANCED 30134
// Dialog 130, telnet settings.
#define IDD_TELNET 130
#define IDC_HOST_PORT 30110
#define IDC_TELNET_NAME 1203
#define IDC_LOCAL_PORT 1204
#define IDC_KEEPALIVES 30256
#define IDC_TIMEOUT 1264
#define IDC_TIMEOUT_LABEL 1265
#define IDC_SUPPRESS_GROUP 30208
#define IDC_SUPPRESS_ECHO 2972
#define IDC_SUPPRESS_REGIME 30116
#define IDC_SUPPRESS_TN3270E 30117
#define IDC_OPTIONS_3270 3001
#define IDC_SUPPRESS_TN5250E 30136
#define IDC_OPTIONS_5250 30135
#define IDC_FORCE_BINARY 1207
#define IDC_FORCE_EOR 1247
#define IDC_BREAK_TM 30122
#define IDC_BREAK_CR 30123
#define IDC_SEND_LOCATION 1285
// Dialog 131, serial settings (its lists have the ids of the serial choices).
#define IDD_SERIAL 131
#define IDC_LOCAL_ECHO 1490
// Page 140.
#define IDC_MENU_GROUP 1300
#define IDC_ONCLOSE_GROUP 1301
#define IDC_MOUSE_LABEL 1302
#define IDC_MOUSE_CURSOR 1286
// Page 147.
#define IDC_STORE_USER 30237
#define IDC_STORE_ALL 30238
#define IDC_FINISH_TEXT 30255
// Page 136 and dialog 139.
#define IDC_PRINTER_GROUP 1218
#define IDC_PRINTER_LIST 1219
#define IDC_DIRECT 30143
#define IDC_PRINT_PORT 6014
#define IDC_CONFIGURE 30147
#define IDC_LPR 4900
#define IDC_LPD_HOST 4902
#define IDC_TERMINATOR 30144
#define IDC_AUTO_LF 1220
#define IDC_OUTPUT_SET 1272
#define IDC_CLOSE_DELAY 1287
#define IDD_LPR 139
#define IDC_LPR_HOST 4911
#define IDC_LPR_PRINTER 4912
#define IDC_LPR_JOB 4913
#define IDC_LPR_USER 4914
#define IDC_LPR_COPIES 4915
#define IDC_LPR_RETRIES 4916
#define IDC_LPR_DELAY 4917
#define IDC_LPR_BANNER 4918
#define IDC_LPR_DEBUG 4919
// Page 143.
#define IDC_AUX_PORT 1254
// The serial dialog's labels: its lists' ids plus this.
#define kSerialLabelOffset 10000
// Page 135.
#define IDC_INITIATION 30160
#define IDC_WAIT_GROUP 30161
#define IDC_WAIT_TEXT_RADIO 30183
#define IDC_WAIT_LOCK 30184
#define IDC_WAIT_UNLOCK 30185
#define IDC_WAIT_TEXT 1215
#define IDC_RESPOND_GROUP 30137
#define IDC_RESPONSE 1253
#define IDC_TOKEN 1216
#define IDC_KEY 1218
#define IDC_INSERT 30141
#define IDC_ADD 30140
#define IDC_REMOVE 30138
#define IDC_REMOVE_ALL 30139
#define IDC_MOVE 1217
#define IDC_SCRIPT_LIST 1252
#define IDC_PARAMETERS 30222
#define IDC_SCRIPT 30223

// Dialogs 132, 133 and 142.
#define IDD_OPTIONS_3270 132
#define IDD_OPTIONS_5250 133
#define IDD_PRINTER_5250 142
#define IDC_LU_CONNECT 1205
#define IDC_LU_ASSOCIATE 1206
#define IDC_PRINTER_ENVIRONMENT 3300

// Page 128's international button and language list.
#define IDC_INTERNATIONAL 30186
#define IDC_LANGUAGE 1288
#define IDC_LANGUAGE_LABEL 11288

// Dialog 144: its fields; each caption is its field's id plus kNationalLabelOffset and
// shows the language string of the field's id.
#define IDD_INTERNATIONAL 144
#define kNationalLabelOffset 10000
#define IDC_DEFAULT 3
#define IDC_CHARSET_MODE 1245
#define IDC_PREFERRED_SET 1234
#define IDC_ANSI_CODE_PAGE 1235
#define IDC_ASCII_FONT 1236
#define IDC_PREFERRED_FONT 1233
#define IDC_KBDTYPE 1244
#define IDC_SBCS_GROUP 3070
#define IDC_SBCS_CODE_PAGE 1237
#define IDC_SBCS_CHARSET 1238
#define IDC_SBCS_CCSID 1239
#define IDC_APL2_GROUP 3080
#define IDC_APL2_ALLOW 30199
#define IDC_APL2_CODE_PAGE 1241
#define IDC_APL2_CHARSET 1242
#define IDC_APL2_CCSID 1243

// The wizard's own texts (no language module has them).
#define IDS_NAME_LENGTH 30400
#define IDS_OPERATING_LANGUAGE 1288
