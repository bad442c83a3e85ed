/* Resource ids of the skin's pictures (RCDATA, JPEG) and icons. Plain defines: the resource
   compiler reads this file too. */
#ifndef LUMENRIG_UI_ARTWORKIDS_H
#define LUMENRIG_UI_ARTWORKIDS_H

#define IDI_LUMENRIG 1
/* The update component's icons (32 x 32): the upgrade question and the password dialog. */
#define IDI_UPDATE_QUESTION 2
#define IDI_UPDATE_PASSWORD 3
#define IDJ_BACKGROUND 201
#define IDJ_SPLASH 202
#define IDJ_EXIT 203
#define IDJ_MINIMIZE 204
#define IDJ_RUN_NORMAL 205
#define IDJ_RUN_HOVER 206
#define IDJ_RUN_DOWN 207
#define IDJ_ABOUT 208
#define IDJ_SPONSOR 209
#define IDJ_ICON_BROWSE 210
#define IDJ_ICON_UPDATE 211
#define IDJ_ICON_EMAIL 212
#define IDJ_ICON_INFO 213
/* The update wizard's side pictures (118 x 218): the launcher's own, which the main window hands
   to the wizard, and the wizard's default for a program that hands none. */
#define IDJ_UPDATE_SIDE 214
#define IDJ_UPDATE_SIDE_DEFAULT 215

#endif
