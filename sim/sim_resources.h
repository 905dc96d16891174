// Ids of chatsim's own resources and of the room window's controls, shared
// by the resource script and the code (and visible to test drivers).
#pragma once

#define IDD_CROWD 200
#define IDC_CROWD_COUNT 201

#define IDC_ROOM 100
#define IDC_ENTRY 101
#define IDC_AVATAR_NAME 102
#define IDC_ESP_DOLLAR 103
#define IDC_CROWD 104
#define IDC_ESP_COUNT 105
