#pragma once
#define ENDWART_VERSION_MAJOR 1
#define ENDWART_VERSION_MINOR 10
#define ENDWART_VERSION_TEXT "1.10"
#define ENDWART_COPYRIGHT "Copyright © 1997-2026 Endungswart-Team. Alle Rechte vorbehalten."
