# SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
# SPDX-License-Identifier: GPL-3.0-or-later
# Read by cpack for each format: the Debian package takes the program's copy
# for /usr/games instead of bin/.
if(CPACK_GENERATOR STREQUAL "DEB")
    list(TRANSFORM CPACK_INSTALL_CMAKE_PROJECTS REPLACE "^programme$" programme_debian)
endif()
