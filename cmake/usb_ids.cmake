# Reads the table of supported USB ids (device/usb_ids.txt) and gives everything made from it:
#   ZD_USB_IDS               the ids in search order, "VVVV:PPPP" in upper-case hexadecimal
#   ZD_UDEV_RULE_LINES       one udev rule line per id: the hidraw node of interface 0 only
#   ZD_METAINFO_MODALIASES   one AppStream <modalias> element per id
#   ZD_GENERATED_INCLUDE_DIR holding device/usb_ids.h: the search order, the default id and the
#                            product ids for the code
set(zd_usb_id_table ${CMAKE_SOURCE_DIR}/device/usb_ids.txt)
set_property(DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${zd_usb_id_table})
file(STRINGS ${zd_usb_id_table} zd_usb_id_lines)

set(ZD_USB_IDS)
set(ZD_UDEV_RULE_LINES)
set(ZD_METAINFO_MODALIASES)
set(zd_search_order)
set(zd_products)
set(zd_default_id)
foreach(line IN LISTS zd_usb_id_lines)
  string(STRIP "${line}" line)
  if(line STREQUAL "" OR line MATCHES "^#")
    continue()
  endif()
  if(NOT line MATCHES "^([0-9A-Fa-f][0-9A-Fa-f][0-9A-Fa-f][0-9A-Fa-f]):([0-9A-Fa-f][0-9A-Fa-f][0-9A-Fa-f][0-9A-Fa-f])([ \t]+default)?$")
    message(FATAL_ERROR "${zd_usb_id_table}: '${line}' is not a vendor:product pair of four hex digits each")
  endif()
  string(TOUPPER "${CMAKE_MATCH_1}" vid)
  string(TOUPPER "${CMAKE_MATCH_2}" pid)
  if(CMAKE_MATCH_3)
    if(zd_default_id)
      message(FATAL_ERROR "${zd_usb_id_table}: more than one id is marked default")
    endif()
    set(zd_default_id "{0x${vid}, 0x${pid}}")
  endif()
  if("${vid}:${pid}" IN_LIST ZD_USB_IDS)
    message(FATAL_ERROR "${zd_usb_id_table}: ${vid}:${pid} is listed twice")
  endif()
  list(APPEND ZD_USB_IDS "${vid}:${pid}")
  list(APPEND zd_search_order "{0x${vid}, 0x${pid}}")
  if(NOT "0x${pid}" IN_LIST zd_products)
    list(APPEND zd_products "0x${pid}")
  endif()
  # The hidraw node's USB interface carries the modalias usb:vVVVVpPPPPd....inNN (upper-case
  # hex, the interface number last); the vendor and product ids and the interface number have
  # to be matched on that one parent, since udev matches all ATTRS{} keys of a rule on the same
  # parent device, and idVendor lives on the USB device while bInterfaceNumber lives on the
  # interface.
  string(APPEND ZD_UDEV_RULE_LINES
         "SUBSYSTEM==\"hidraw\", ATTRS{modalias}==\"usb:v${vid}p${pid}d*in00\", TAG+=\"uaccess\"\n")
  string(APPEND ZD_METAINFO_MODALIASES "    <modalias>usb:v${vid}p${pid}d*</modalias>\n")
endforeach()
if(NOT ZD_USB_IDS)
  message(FATAL_ERROR "${zd_usb_id_table} lists no USB id")
endif()
if(NOT zd_default_id)
  message(FATAL_ERROR "${zd_usb_id_table} marks no id default")
endif()
string(STRIP "${ZD_METAINFO_MODALIASES}" ZD_METAINFO_MODALIASES)
string(STRIP "${ZD_UDEV_RULE_LINES}" ZD_UDEV_RULE_LINES)
list(JOIN zd_search_order ",\n    " zd_search_order)
list(JOIN zd_products ", " zd_product_ids)
set(ZD_GENERATED_INCLUDE_DIR ${CMAKE_BINARY_DIR}/generated)
configure_file(${CMAKE_CURRENT_LIST_DIR}/usb_ids.h.in ${ZD_GENERATED_INCLUDE_DIR}/device/usb_ids.h @ONLY)
