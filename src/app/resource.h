#pragma once

// Shared by the resource script and the code: plain #defines only.
#define IDI_VELMORA 101

#define IDC_TXTLOC_0 1000
#define IDC_TXTLOC_1 1001
#define IDC_TXTLOC_2 1002
#define IDC_TXTLOC_3 1003
#define IDC_TXTSELECTFILE 1004
#define IDC_CMDSELECTFILE 1005
#define IDC_CMDSAVETOREGISTRY 1006
#define IDC_CMDOPENREGISTRYEDITOR 1007
#define IDC_LABEL1 1010
#define IDC_LABEL2 1011
#define IDC_LABEL3 1012
#define IDC_LABEL4 1013
#define IDC_LABEL5 1014
#define IDC_LBLPATH 1015
#define IDC_PICICON 1016

#define IDM_EXIT 2001
#define IDM_HELP 2002
#define IDM_ABOUT 2003
