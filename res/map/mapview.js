// The map page of the card player. The player calls DrawCurrent(longitude, latitude, zoom) on
// every position tick and DrawRoute(track) after each load, all arguments as strings; a click on
// the route goes back to the player as a seek through the web channel.
(function () {
  'use strict';

  var TEXTS = {
    en: { offline: 'Offline map: coastlines and borders', speed: 'Speed (km/h)', start: 'Start', end: 'End',
          hint: 'Click the route to play from there', vehicle: 'Vehicle' },
    ko: { offline: '오프라인 지도: 해안선과 국경', speed: '속도 (km/h)', start: '출발', end: '도착',
          hint: '경로를 누르면 그 지점부터 재생합니다', vehicle: '차량' },
    ja: { offline: 'オフライン地図: 海岸線と国境', speed: '速度 (km/h)', start: '出発', end: '到着',
          hint: 'ルートをクリックするとその地点から再生します', vehicle: '車両' },
    ru: { offline: 'Офлайн-карта: береговые линии и границы', speed: 'Скорость (км/ч)', start: 'Старт', end: 'Финиш',
          hint: 'Щёлкните по маршруту, чтобы воспроизвести с этого места', vehicle: 'Автомобиль' }
  };
  var language = new URLSearchParams(window.location.search).get('language');
  if (!TEXTS.hasOwnProperty(language)) language = 'en';
  var text = TEXTS[language];
  document.documentElement.lang = language;

  var config = window.tavroMapConfig || {};
  var tileUrl = config.tileUrl || 'https://tile.openstreetmap.org/{z}/{x}/{y}.png';
  var maxZoom = config.maxZoom || 19;

  var map = L.map('map', { zoomControl: true, worldCopyJump: true, maxZoom: maxZoom })
    .setView([36.5, 127.8], 6);
  map.attributionControl.setPrefix('<a href="https://leafletjs.com">Leaflet</a>');
  L.control.scale({ imperial: false, position: 'bottomright' }).addTo(map);

  // The offline basemap sits under the tiles: where a tile does not come, the land shows through.
  map.createPane('basemap');
  map.getPane('basemap').style.zIndex = 150;
  var basemapRenderer = L.canvas({ pane: 'basemap', padding: 0.5 });
  var basemapFeatures = 0;
  if (window.tavroBasemap && window.topojson) {
    var world = window.tavroBasemap;
    var land = topojson.merge(world, world.objects.countries.geometries);
    var borders = topojson.mesh(world, world.objects.countries, function (a, b) { return a !== b; });
    L.geoJSON(land, { renderer: basemapRenderer, interactive: false,
      style: { color: '#6f8a6a', weight: 1, fillColor: '#eef0e4', fillOpacity: 1 } }).addTo(map);
    L.geoJSON(borders, { renderer: basemapRenderer, interactive: false,
      style: { color: '#a07a9a', weight: 1, dashArray: '4 3', fill: false } }).addTo(map);
    basemapFeatures = land.coordinates.length;
    map.attributionControl.addAttribution('Basemap: Natural Earth');
  }

  var status = document.getElementById('status');
  var tiles = L.tileLayer(tileUrl, { maxZoom: maxZoom, attribution: config.attribution || '' });
  var tileFailures = 0;
  tiles.on('tileerror', function () {
    tileFailures += 1;
    status.textContent = text.offline;
    status.hidden = false;
  });
  tiles.on('tileload', function () { status.hidden = true; });
  // Tiles are asked for once the page has loaded, so a slow or missing network never holds the
  // page (and the player's calls) back.
  window.addEventListener('load', function () { tiles.addTo(map); });

  document.getElementById('legend').innerHTML =
    '<div>' + text.speed + '</div><div class="scale"></div>' +
    '<div class="ticks"><span>0</span><span>30</span><span>60</span><span>90</span></div>';

  // ---- The player's side ----
  var player = null;
  if (window.qt && qt.webChannelTransport && window.QWebChannel) {
    new QWebChannel(qt.webChannelTransport, function (channel) { player = channel.objects.player; });
  }

  var vehicle = null;
  var centredOnce = false;
  var routeLayer = L.featureGroup().addTo(map);
  var routePoints = [];

  function speedColour(kmh) {
    var stops = [[0, [43, 108, 214]], [30, [47, 177, 74]], [60, [242, 193, 46]], [90, [224, 58, 30]]];
    if (!(kmh > 0)) kmh = 0;
    for (var i = 1; i < stops.length; i++) {
      if (kmh <= stops[i][0]) {
        var t = (kmh - stops[i - 1][0]) / (stops[i][0] - stops[i - 1][0]);
        var a = stops[i - 1][1], b = stops[i][1];
        return 'rgb(' + [0, 1, 2].map(function (k) { return Math.round(a[k] + (b[k] - a[k]) * t); }).join(',') + ')';
      }
    }
    return 'rgb(224,58,30)';
  }

  function nearestPoint(latlng) {
    var best = -1, bestDistance = Infinity;
    for (var i = 0; i < routePoints.length; i++) {
      var d = map.distance(latlng, [routePoints[i][0], routePoints[i][1]]);
      if (d < bestDistance) { bestDistance = d; best = i; }
    }
    return best;
  }

  function onRouteClick(event) {
    var i = nearestPoint(event.latlng);
    if (i >= 0 && player) player.seekTo(routePoints[i][3]);
  }

  window.DrawCurrent = function (longitude, latitude, zoom) {
    var lon = parseFloat(longitude), lat = parseFloat(latitude), z = parseInt(zoom, 10);
    if (!isFinite(lon) || !isFinite(lat)) return;
    var at = L.latLng(lat, lon);
    if (!vehicle) {
      vehicle = L.marker(at, { icon: L.divIcon({ className: 'vehicle', iconSize: null }), title: text.vehicle,
                               keyboard: false, zIndexOffset: 1000 }).addTo(map);
    } else {
      vehicle.setLatLng(at);
    }
    if (!centredOnce && routePoints.length === 0) {
      map.setView(at, isFinite(z) ? z : map.getZoom(), { animate: false });
      centredOnce = true;
    } else if (!map.getBounds().pad(-0.15).contains(at)) {
      map.panTo(at, { animate: false });
    }
  };

  // track: JSON text of [[latitude, longitude, km/h, ms], ...] in time order; "[]" clears.
  window.DrawRoute = function (track) {
    var points;
    try { points = JSON.parse(track); } catch (e) { return; }
    if (!Array.isArray(points)) return;
    routeLayer.clearLayers();
    routePoints = points.filter(function (p) {
      return Array.isArray(p) && p.length >= 4 && isFinite(p[0]) && isFinite(p[1]);
    });
    if (routePoints.length === 0) return;
    for (var i = 1; i < routePoints.length; i++) {
      var a = routePoints[i - 1], b = routePoints[i];
      L.polyline([[a[0], a[1]], [b[0], b[1]]], { color: speedColour((a[2] + b[2]) / 2), weight: 5, opacity: 0.9 })
        .on('click', onRouteClick).addTo(routeLayer);
    }
    var first = routePoints[0], last = routePoints[routePoints.length - 1];
    L.circleMarker([first[0], first[1]], { radius: 7, color: '#fff', weight: 2, fillColor: '#2fb14a', fillOpacity: 1 })
      .bindTooltip(text.start).on('click', onRouteClick).addTo(routeLayer);
    L.circleMarker([last[0], last[1]], { radius: 7, color: '#fff', weight: 2, fillColor: '#e03a1e', fillOpacity: 1 })
      .bindTooltip(text.end).on('click', onRouteClick).addTo(routeLayer);
    routeLayer.eachLayer(function (layer) { if (layer instanceof L.Polyline) layer.bindTooltip(text.hint, { sticky: true }); });
    map.fitBounds(routeLayer.getBounds(), { padding: [24, 24], maxZoom: 17, animate: false });
    centredOnce = true;
  };

  // What the page shows, for the player's tests.
  window.MapPageState = function () {
    var ink = 0;
    var canvas = map.getPane('basemap').querySelector('canvas');
    if (canvas && canvas.width > 0 && canvas.height > 0) {
      var data = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
      for (var i = 3; i < data.length; i += 4) if (data[i] > 0) ink += 1;
      ink = ink / (canvas.width * canvas.height);
    }
    return {
      language: language,
      texts: { legend: document.getElementById('legend').textContent, offline: text.offline },
      vehicle: vehicle ? [vehicle.getLatLng().lat, vehicle.getLatLng().lng] : null,
      vehicleOnScreen: vehicle ? map.getBounds().contains(vehicle.getLatLng()) : false,
      routePoints: routePoints.length,
      routeSegments: routeLayer.getLayers().length,
      basemapFeatures: basemapFeatures,
      basemapInk: ink,
      tileFailures: tileFailures,
      channel: player !== null,
      zoom: map.getZoom(),
      attribution: map.attributionControl.getContainer().textContent
    };
  };

  // A click on the route at point i, as the user's would be (for the player's tests).
  window.ClickRoutePoint = function (i) {
    var p = routePoints[i];
    if (!p) return false;
    var layers = routeLayer.getLayers();
    if (!layers.length) return false;
    layers[0].fire('click', { latlng: L.latLng(p[0], p[1]) });
    return true;
  };
})();
