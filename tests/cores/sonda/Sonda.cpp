// SPDX-License-Identifier: GPL-3.0-or-later
// Built with one library's include roots and nothing else: SONDA names a
// header that must, or must not, be found from there.
#include SONDA
