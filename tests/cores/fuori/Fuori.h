// SPDX-License-Identifier: GPL-3.0-or-later
// Never built: what the include check must reject in a core.
#pragma once

#include "exercise/Modulo2.h"
#include "printing/Stampante.h"
#include "../printing/Stampante.h"
#include <QString>
#include <string>
