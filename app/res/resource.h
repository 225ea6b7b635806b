/* Resource numbers shared by tessaly.rc and the program. */
#ifndef TESSALY_APP_RES_RESOURCE_H
#define TESSALY_APP_RES_RESOURCE_H

/* The program's icon; as the executable's first icon it is also Explorer's. */
#define IDI_TESSALY 1

/* The About box's pictures, drawn by scripts/make-about-pictures.sh. */
#define IDB_ABOUT_PRODUCT 101
#define IDB_ABOUT_TITLE 102

#endif
