#pragma once
// Identifiers of the program's resources, shared by the resource script and the code.
#define IDC_POINTING_HAND 200
#define IDI_ORVANDEL 1
#define IDP_LOGO 301
#define IDP_LOGO_FADED 302
#define IDP_MAKER_SMALL 303
#define IDP_DONATE 304
#define IDP_BANNER 305
