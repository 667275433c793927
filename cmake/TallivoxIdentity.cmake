# Who and what Tallivox is, written once. The program (through the generated
# identity.h), its Windows version block, the AppStream metainfo, the .deb and
# the installer all take these from here; the version is project()'s.
set(TALLIVOX_NAME Tallivox)
set(TALLIVOX_VENDOR KelVastO)
# Who wrote it, as the first credit names the maker.
set(TALLIVOX_AUTHOR Orvandel)
set(TALLIVOX_SUMMARY "A small four-operation calculator with a Persian face")
set(TALLIVOX_SUMMARY_FA "ماشین‌حسابی کوچک برای چهار عمل اصلی، با چهره‌ای فارسی")
# Paragraphs, wrapped for Debian's 80 columns, and with no semicolon, which
# would split a CMake list.
set(TALLIVOX_DESCRIPTION
"Tallivox adds, subtracts, multiplies or divides two numbers. Its one window
has a pair of boxes and a button for each operation. The result is rounded
half to even to a 16-bit whole number and shown in a message box that can be
copied from."
"The labels and buttons are in Persian, and numbers may be typed with
Persian, Arabic-Indic or Latin digits, as the Persian keyboard writes them,
or in hexadecimal or octal.")
set(TALLIVOX_DESCRIPTION_FA
"Tallivox دو عدد را با هم جمع می‌کند، از هم کم می‌کند، در هم ضرب می‌کند یا
بر هم تقسیم می‌کند. پنجره‌ی آن برای هر عمل دو جعبه و یک دکمه دارد؛ حاصل به
نزدیک‌ترین عدد صحیح ۱۶ بیتی گرد می‌شود و در پیامی نشان داده می‌شود که
می‌توان آن را کپی کرد."
"برچسب‌ها و دکمه‌ها فارسی‌اند و عددها را می‌توان با رقم‌های فارسی، عربی یا
لاتین، همان‌گونه که صفحه‌کلید فارسی می‌نویسد، یا در مبنای شانزده و هشت وارد کرد.")
# A reserved example domain: the maker's real address is not known, and this
# one can never lead anyone to a stranger's site.
set(TALLIVOX_HOMEPAGE https://kelvasto.example/)
# Where a release's files are published, each under its own name; the
# package managers' manifests point there.
set(TALLIVOX_DOWNLOADS ${TALLIVOX_HOMEPAGE}downloads/)
set(TALLIVOX_CONTACT "${TALLIVOX_VENDOR} <tallivox@kelvasto.example>")
set(TALLIVOX_COPYRIGHT_YEARS 2026)
set(TALLIVOX_COPYRIGHT "Copyright ${TALLIVOX_COPYRIGHT_YEARS} ${TALLIVOX_VENDOR}")
# No licence has been granted yet; the Debian copyright file says what that
# means, and winget and Scoop show this name.
set(TALLIVOX_LICENSE none-chosen)
# Names the desktop entry, the metainfo and the icon on Linux.
set(TALLIVOX_APP_ID example.kelvasto.Tallivox)
# The window's background: the form's stored colour 0x00420001 read as a
# Windows COLORREF (0x00BBGGRR), a very dark blue. The installer's pictures
# are drawn in it too.
set(TALLIVOX_WINDOW_COLOUR "#010042")
