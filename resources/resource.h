// Resource and command IDs, one block a form.
#pragma once

#define IDI_PROGRAMM 1
#define IDM_HAUPTMENUE 100
#define IDA_HAUPT 101
#define IDB_TOOLBAR 102
#define IDB_LEER 103
#define IDB_BILDA 104
#define IDB_BILDB 105
#define IDB_BILDA_KLEIN 106
#define IDB_BILDB_KLEIN 107

// frmMain menu commands
#define ID_SPEICHERN 200
#define ID_RUECKGAENGIG 201
#define ID_BEENDEN 202
#define ID_HINZU 203
#define ID_AENDERN 204
#define ID_SYMBOLLEISTE 205
#define ID_STATUSLEISTE 206
#define ID_OPTIONEN 207
#define ID_INHALT 208
#define ID_SUCHEN 209
#define ID_HILFEBENUTZEN 210
#define ID_INTERNET 211
#define ID_MAIL 212
#define ID_INFO 213
#define ID_PROTOKOLL 230
#define ID_EXPORTIEREN 231
#define ID_IMPORTIEREN 232
