# The files the installer carries, one payload record each:
#   payload_record(<record> <file> <date YYYYMMDD> <time HHMMSS without leading zeros>)
# The date and time become the installed file's last-write time (local time).
# payload_record is defined by the including build; this file only lists.
# Skin pictures and skin.ini texts come from tools/make_skins.py; the texts,
# which name the version, are written by the build.

payload_record(129 $<TARGET_FILE:brimel_messenger> 20061019 184715)
payload_record(130 ${CMAKE_CURRENT_LIST_DIR}/license/license.rtf 20061018 112040)
payload_record(131 $<TARGET_FILE:brimel_uninstaller> 20061019 183902)
payload_record(132 $<TARGET_FILE:brimel_bc> 20061019 184650)
payload_record(200 ${CMAKE_CURRENT_LIST_DIR}/skins/common/bold.bmp 20060712 101522)
payload_record(201 ${CMAKE_CURRENT_LIST_DIR}/skins/common/accept.bmp 20060712 101530)
payload_record(202 ${CMAKE_CURRENT_LIST_DIR}/skins/800x600/accept_decline.bmp 20060809 143311)
payload_record(203 ${CMAKE_CURRENT_LIST_DIR}/skins/common/action.bmp 20060220 140814)
payload_record(204 ${CMAKE_CURRENT_LIST_DIR}/skins/common/settings.bmp 20060712 101602)
payload_record(205 ${CMAKE_CURRENT_LIST_DIR}/skins/common/close.bmp 20060712 101610)
payload_record(206 ${CMAKE_CURRENT_LIST_DIR}/skins/common/decline.bmp 20060712 101618)
payload_record(207 ${CMAKE_CURRENT_LIST_DIR}/skins/common/find_friends.bmp 20060803 92045)
payload_record(208 ${CMAKE_CURRENT_LIST_DIR}/skins/common/font.bmp 20060712 101640)
payload_record(209 ${CMAKE_CURRENT_LIST_DIR}/skins/common/help.bmp 20060712 101652)
payload_record(210 ${CMAKE_CURRENT_LIST_DIR}/skins/common/italic.bmp 20060712 101704)
payload_record(211 ${CMAKE_CURRENT_LIST_DIR}/skins/common/minimize.bmp 20060712 101716)
payload_record(212 ${CMAKE_CURRENT_LIST_DIR}/skins/common/my_profile.bmp 20060803 92110)
payload_record(216 ${CMAKE_CURRENT_LIST_DIR}/skins/common/send.bmp 20060621 164208)
payload_record(218 ${CMAKE_CURRENT_LIST_DIR}/skins/common/smiley.bmp 20060115 223015)
payload_record(219 ${CMAKE_CURRENT_LIST_DIR}/skins/common/underline.bmp 20060712 15328)
payload_record(221 ${BRIMEL_SKIN_SETTINGS_DIR}/800x600/skin.ini 20061017 120511)
payload_record(222 ${BRIMEL_SKIN_SETTINGS_DIR}/1024x768/skin.ini 20061017 120533)
payload_record(225 ${CMAKE_CURRENT_LIST_DIR}/skins/1024x768/accept_decline.bmp 20060809 143340)
payload_record(226 ${CMAKE_CURRENT_LIST_DIR}/skins/800x600/left_panel.bmp 20060915 170215)
payload_record(227 ${CMAKE_CURRENT_LIST_DIR}/skins/1024x768/left_panel.bmp 20060915 170238)
payload_record(228 ${CMAKE_CURRENT_LIST_DIR}/skins/800x600/main.bmp 20060915 171502)
payload_record(229 ${CMAKE_CURRENT_LIST_DIR}/skins/1024x768/main.bmp 20060915 171530)
payload_record(230 ${CMAKE_CURRENT_LIST_DIR}/skins/common/voice_video.bmp 20061002 114006)
payload_record(231 ${CMAKE_CURRENT_LIST_DIR}/skins/common/import_friends.bmp 20061002 114029)

