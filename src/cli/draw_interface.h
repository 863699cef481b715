/* SPDX-License-Identifier: MIT */
/* What passes between tavimo-calc and its drawing library, libtavimo-draw.so: plain C
 * values only, so that a library built apart from the program is either of the same
 * interface version, and then read exactly, or refused before it is used. Every text
 * is UTF-8 ending in NUL; every pointer stays valid for the one call it is passed to.
 * A change to any struct here raises TAVIMO_DRAW_INTERFACE_VERSION. */
#ifndef TAVIMO_DRAW_INTERFACE_H
#define TAVIMO_DRAW_INTERFACE_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

#define TAVIMO_DRAW_INTERFACE_VERSION 3u

typedef struct {
    float left, top, width, height;
    int visible;
} tavimo_draw_box;

typedef struct {
    float x, top, bottom;
    int visible;
} tavimo_draw_line;

/* The ring-barrier chart, in twips of the timing window. */
typedef struct {
    tavimo_draw_box green[8], yellow[8], red[8];
    const char* green_text[8];
    tavimo_draw_line barrier1, barrier2, barrier3;
    tavimo_draw_box dead_phase, dead_phase2;
    tavimo_draw_line local1;
    tavimo_draw_box windows[8];
    const char* window_text[8];
    int window_text_right_aligned;
} tavimo_draw_chart;

typedef struct {
    const char* exact;
    const char* whole;
    int marked;
} tavimo_draw_time;

typedef struct {
    int phase;
    const char* movement;
    const char *split, *min_green, *amber, *all_red, *walk, *flash_dont_walk; /* as entered */
    tavimo_draw_time force_off, permissive_start, permissive_end;
} tavimo_draw_row;

/* The chart of a plan of any ring-barrier structure, in the same twips: each phase's
 * bars and window, and its barriers (the last one the cycle's end). */
typedef enum {
    TAVIMO_DRAW_PLAN_GREEN = 0,
    TAVIMO_DRAW_PLAN_YELLOW = 1,
    TAVIMO_DRAW_PLAN_RED = 2,
    TAVIMO_DRAW_PLAN_WINDOW = 3
} tavimo_draw_plan_part;

typedef struct {
    int ring, phase;
    tavimo_draw_plan_part part;
    tavimo_draw_box box;
    const char* text; /* a window's label; "" for a bar */
} tavimo_draw_plan_element;

typedef struct {
    int barrier;
    tavimo_draw_line line;
} tavimo_draw_plan_barrier;

/* One calculated signal: its chart sheet and what its report page shows. */
typedef struct {
    const char* title;
    tavimo_draw_chart chart;
    int has_axis; /* nonzero: cycle and local_zero give the time axis */
    float cycle, local_zero;
    const char* description;
    const char* cycle_length;
    const char* controller;  /* the tag: "Nema" or "one70" */
    const char* mode;
    const char* arrangement;
    const char* file_name;   /* the project file's name; "" when not saved */
    const char* worksheet_controller;
    const tavimo_draw_row* rows;
    size_t row_count;
    /* Nonzero: a plan off the grid, drawn from the elements and barriers below in
     * place of `chart`; its report names the coordinated phases, not the left turns. */
    int is_plan;
    const char* coordinated; /* "2, 6" */
    const tavimo_draw_plan_element* plan_elements;
    size_t plan_element_count;
    const tavimo_draw_plan_barrier* plan_barriers;
    size_t plan_barrier_count;
    const char* offset;      /* the offset in every reference, as the report shows it; "" for none */
} tavimo_draw_signal;

/* The time-space diagram of a corridor, as computed: times in seconds of the master
 * clock, distances along the route from its first signal. An optional figure has its
 * has_ flag nonzero. */
typedef struct {
    int aspect; /* 0 green, 1 yellow, 2 red */
    double start, end;
} tavimo_draw_aspect;

typedef struct {
    int phase;
    double start, end;
} tavimo_draw_window;

typedef struct {
    double time, distance;
} tavimo_draw_point;

typedef struct {
    const char* id;
    double distance;
    int has_offsets, has_flashing_dont_walk;
    double ts2, last_green, type170, red, flashing_dont_walk;
    int has_through_phase[2];
    int through_phase[2];
    const tavimo_draw_aspect* through[2]; /* 0 the way there, 1 the way back */
    size_t through_count[2];
    const tavimo_draw_window* windows;
    size_t window_count;
} tavimo_draw_diagram_signal;

typedef struct {
    const tavimo_draw_point *lower, *upper; /* count points each */
    size_t count;
} tavimo_draw_strip;

typedef struct {
    const char *from, *to, *reason;
    int has_band, has_efficiency, has_attainability;
    double seconds, start, efficiency, attainability;
    const tavimo_draw_strip* strips;
    size_t strip_count;
} tavimo_draw_band;

typedef struct {
    const char* street;
    int metric;
    double cycle, span, length;
    const tavimo_draw_diagram_signal* signal_list;
    size_t signal_count;
    tavimo_draw_band bands[2];
} tavimo_draw_diagram;

typedef enum {
    TAVIMO_DRAW_CHART_SVG = 1, /* one signal */
    TAVIMO_DRAW_CHART_PNG = 2, /* one signal */
    TAVIMO_DRAW_CHART_PDF = 3, /* a page per signal */
    TAVIMO_DRAW_REPORT_PDF = 4, /* a page per signal */
    TAVIMO_DRAW_DIAGRAM_SVG = 5, /* the request's diagram */
    TAVIMO_DRAW_DIAGRAM_PNG = 6,
    TAVIMO_DRAW_DIAGRAM_PDF = 7
} tavimo_draw_document;

/* Receives the document's bytes, possibly in several pieces; nonzero stops. */
typedef int (*tavimo_draw_sink)(void* context, const char* bytes, size_t size);

typedef struct {
    tavimo_draw_document document;
    const tavimo_draw_signal* signal_list;
    size_t signal_count;
    const char* date; /* shown on a report, ISO 8601 */
    tavimo_draw_sink sink;
    void* sink_context;
    char* error;       /* the reason of a failure, cut to error_size with its NUL */
    size_t error_size;
    const tavimo_draw_diagram* diagram; /* for the diagram documents; else NULL */
} tavimo_draw_request;

/* The version of this interface the library was built with; looked up and checked
 * before anything else. */
typedef unsigned (*tavimo_draw_version_entry)(void);
#define TAVIMO_DRAW_VERSION_ENTRY "tavimo_draw_interface_version"

/* Draws the document in memory and hands its bytes to the sink; 0 when the whole
 * document was handed over, else nonzero with the reason in error. */
typedef int (*tavimo_draw_entry)(const tavimo_draw_request* request);
#define TAVIMO_DRAW_ENTRY "tavimo_draw_render"

#ifdef __cplusplus
}
#endif

#endif
