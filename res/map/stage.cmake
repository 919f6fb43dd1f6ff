# cmake -DSOURCE=res/map -DMODULES=node_modules -DDEST=folder -P stage.cmake: the page and what it
# loads, laid out as MapView.htm expects. The basemap becomes a script, since a page opened from a
# file may not fetch files.
file(MAKE_DIRECTORY ${DEST}/map/leaflet)
file(COPY ${SOURCE}/MapView.htm DESTINATION ${DEST})
file(COPY ${SOURCE}/mapview.js ${SOURCE}/mapview.css DESTINATION ${DEST}/map)
file(COPY ${MODULES}/leaflet/dist/leaflet.js ${MODULES}/leaflet/dist/leaflet.css ${MODULES}/leaflet/dist/images
     ${MODULES}/leaflet/LICENSE DESTINATION ${DEST}/map/leaflet)
file(COPY ${MODULES}/topojson-client/dist/topojson-client.min.js DESTINATION ${DEST}/map)
file(COPY_FILE ${MODULES}/world-atlas/LICENSE ${DEST}/map/basemap-LICENSE)
file(READ ${MODULES}/world-atlas/countries-10m.json world)
file(WRITE ${DEST}/map/basemap.js.part "window.tavroBasemap = ${world};\n")
file(RENAME ${DEST}/map/basemap.js.part ${DEST}/map/basemap.js)
file(TOUCH ${DEST}/MapView.htm)
