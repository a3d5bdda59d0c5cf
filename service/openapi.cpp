#include "service/openapi.h"

namespace kx::service {
namespace {

// Written by hand for the people and tools that read it; a test holds the served routes to
// it in both directions.
constexpr std::string_view kDocument = R"json({
  "openapi": "3.0.3",
  "info": {
    "title": "kx7214d",
    "version": "1",
    "description": "Drives KX7214 multiviewers from automation. Every write answers 200 with the device's outcome: the request was carried out, and the outcome says what the device did. When the service was started with a token file, every request carries Authorization: Bearer <token>."
  },
  "components": {
    "securitySchemes": {"bearer": {"type": "http", "scheme": "bearer"}},
    "parameters": {
      "ip": {"name": "ip", "in": "path", "required": true, "description": "the device's dotted address", "schema": {"type": "string"}, "example": "127.0.0.2"}
    },
    "schemas": {
      "Error": {"type": "object", "required": ["error"], "properties": {"error": {"type": "string"}}},
      "WriteResult": {
        "type": "object", "required": ["outcome", "status", "ms"],
        "properties": {
          "outcome": {"type": "string", "enum": ["accepted", "refused", "no answer"]},
          "status": {"type": "integer", "description": "the acknowledgement's status byte; 0 when accepted"},
          "ms": {"type": "integer", "description": "milliseconds from the request to the device's answer or its deadline"}
        }
      },
      "Device": {
        "type": "object",
        "properties": {
          "index": {"type": "integer"}, "text": {"type": "string", "example": "TRQ-9_127.0.0.2"},
          "ip": {"type": "string"}, "dev_type": {"type": "integer"}, "dev_addr": {"type": "integer"}
        }
      },
      "Four": {"type": "array", "minItems": 4, "maxItems": 4, "items": {"type": "integer", "minimum": 0, "maximum": 255}},
      "Configuration": {
        "type": "object", "additionalProperties": false,
        "description": "The configuration as a read gives it. Sent to apply, the keys given replace the device's values and the others stay; firmware_version, control_mode, output_status and auto_or_manual_status only report the device.",
        "properties": {
          "auto_or_manual_status": {"type": "integer"}, "firmware_version": {"type": "string"},
          "output_format": {"type": "integer", "minimum": 0, "maximum": 10},
          "border_color": {"type": "integer", "minimum": 0, "maximum": 3},
          "border_enable": {"type": "integer", "minimum": 0, "maximum": 1},
          "output_layout": {"type": "integer", "minimum": 0, "maximum": 15},
          "umd_enable": {"$ref": "#/components/schemas/Four"}, "umd_postion": {"$ref": "#/components/schemas/Four"},
          "umd_text_color": {"$ref": "#/components/schemas/Four"}, "umd_back_color": {"$ref": "#/components/schemas/Four"},
          "audio_enable": {"$ref": "#/components/schemas/Four"}, "audio_postion": {"$ref": "#/components/schemas/Four"},
          "audio_transparency": {"$ref": "#/components/schemas/Four"}, "audio_combination": {"$ref": "#/components/schemas/Four"},
          "audio_in_ch": {"$ref": "#/components/schemas/Four"},
          "input_enable": {"$ref": "#/components/schemas/Four"}, "input_postion": {"$ref": "#/components/schemas/Four"},
          "input_text_color": {"$ref": "#/components/schemas/Four"}, "input_back_color": {"$ref": "#/components/schemas/Four"},
          "device_name": {"type": "string", "maxLength": 16},
          "umd_text": {"type": "array", "minItems": 4, "maxItems": 4, "items": {"type": "string", "maxLength": 16}},
          "control_mode": {"type": "integer"}, "output_status": {"type": "string"}
        }
      }
    },
    "responses": {
      "Written": {"description": "carried out; the outcome says what the device did", "content": {"application/json": {"schema": {"$ref": "#/components/schemas/WriteResult"}}}},
      "BadRequest": {"description": "malformed body, unknown key or a value the device does not take", "content": {"application/json": {"schema": {"$ref": "#/components/schemas/Error"}}}},
      "Unauthorized": {"description": "missing or wrong bearer token", "content": {"application/json": {"schema": {"$ref": "#/components/schemas/Error"}}}},
      "NotFound": {"description": "no device answers at this address, or no such field, line or slot", "content": {"application/json": {"schema": {"$ref": "#/components/schemas/Error"}}}},
      "TooLarge": {"description": "the body is larger than 64 KiB", "content": {"application/json": {"schema": {"$ref": "#/components/schemas/Error"}}}},
      "Busy": {"description": "the device's queue is full; see Retry-After", "headers": {"Retry-After": {"schema": {"type": "integer"}}}, "content": {"application/json": {"schema": {"$ref": "#/components/schemas/Error"}}}}
    }
  },
  "security": [{"bearer": []}],
  "paths": {
    "/api/v1/openapi.json": {
      "get": {"summary": "this document", "responses": {"200": {"description": "the document"}, "401": {"$ref": "#/components/responses/Unauthorized"}}}
    },
    "/api/v1/devices": {
      "get": {
        "summary": "the devices a search found (cached; refresh=1 searches again)",
        "parameters": [{"name": "refresh", "in": "query", "required": false, "schema": {"type": "integer", "enum": [0, 1]}, "example": 1}],
        "responses": {"200": {"description": "the device list", "content": {"application/json": {"schema": {"type": "array", "items": {"$ref": "#/components/schemas/Device"}}}}}, "401": {"$ref": "#/components/responses/Unauthorized"}}
      }
    },
    "/api/v1/devices/{ip}": {
      "get": {
        "summary": "the device's configuration, read from it now",
        "parameters": [{"$ref": "#/components/parameters/ip"}],
        "responses": {
          "200": {"description": "the configuration", "content": {"application/json": {"schema": {"$ref": "#/components/schemas/Configuration"}}}},
          "400": {"$ref": "#/components/responses/BadRequest"}, "401": {"$ref": "#/components/responses/Unauthorized"},
          "404": {"$ref": "#/components/responses/NotFound"}, "429": {"$ref": "#/components/responses/Busy"},
          "504": {"description": "the device did not answer the read", "content": {"application/json": {"schema": {"$ref": "#/components/schemas/Error"}}}}
        }
      }
    },
    "/api/v1/devices/{ip}/settings/{field}": {
      "put": {
        "summary": "one setting; per-input fields also name the line",
        "parameters": [{"$ref": "#/components/parameters/ip"},
          {"name": "field", "in": "path", "required": true, "description": "a field name of kx7214ctl set", "schema": {"type": "string", "enum": ["output_format", "border_color", "output_layout", "border_enable", "umd_enable", "umd_postion", "umd_text_color", "umd_back_color", "audio_enable", "audio_postion", "audio_transparency", "audio_combination", "audio_in_ch", "input_enable", "input_text_color", "input_back_color", "input_postion"]}, "example": "output_layout"}],
        "requestBody": {"required": true, "content": {"application/json": {"schema": {"type": "object", "required": ["value"], "additionalProperties": false, "properties": {"value": {"type": "integer", "minimum": 0}, "line": {"type": "integer", "minimum": 0, "maximum": 3}}}, "example": {"value": 12}}}},
        "responses": {"200": {"$ref": "#/components/responses/Written"}, "400": {"$ref": "#/components/responses/BadRequest"}, "401": {"$ref": "#/components/responses/Unauthorized"}, "404": {"$ref": "#/components/responses/NotFound"}, "413": {"$ref": "#/components/responses/TooLarge"}, "429": {"$ref": "#/components/responses/Busy"}}
      }
    },
    "/api/v1/devices/{ip}/umd/{line}/text": {
      "put": {
        "summary": "the under-monitor label text of one input",
        "parameters": [{"$ref": "#/components/parameters/ip"}, {"name": "line", "in": "path", "required": true, "schema": {"type": "integer", "minimum": 0, "maximum": 3}, "example": 0}],
        "requestBody": {"required": true, "content": {"application/json": {"schema": {"type": "object", "required": ["text"], "additionalProperties": false, "properties": {"text": {"type": "string", "maxLength": 16}}}, "example": {"text": "CAM 1"}}}},
        "responses": {"200": {"$ref": "#/components/responses/Written"}, "400": {"$ref": "#/components/responses/BadRequest"}, "401": {"$ref": "#/components/responses/Unauthorized"}, "404": {"$ref": "#/components/responses/NotFound"}, "413": {"$ref": "#/components/responses/TooLarge"}, "429": {"$ref": "#/components/responses/Busy"}}
      }
    },
    "/api/v1/devices/{ip}/name": {
      "put": {
        "summary": "the device's name",
        "parameters": [{"$ref": "#/components/parameters/ip"}],
        "requestBody": {"required": true, "content": {"application/json": {"schema": {"type": "object", "required": ["name"], "additionalProperties": false, "properties": {"name": {"type": "string", "maxLength": 16}}}, "example": {"name": "Studio-A"}}}},
        "responses": {"200": {"$ref": "#/components/responses/Written"}, "400": {"$ref": "#/components/responses/BadRequest"}, "401": {"$ref": "#/components/responses/Unauthorized"}, "404": {"$ref": "#/components/responses/NotFound"}, "413": {"$ref": "#/components/responses/TooLarge"}, "429": {"$ref": "#/components/responses/Busy"}}
      }
    },
    "/api/v1/devices/{ip}/apply": {
      "post": {
        "summary": "a whole configuration, sent in one write after the device is read",
        "parameters": [{"$ref": "#/components/parameters/ip"}],
        "requestBody": {"required": true, "content": {
          "application/json": {"schema": {"$ref": "#/components/schemas/Configuration"}, "example": {"output_layout": 12}},
          "text/plain": {"schema": {"type": "string", "description": "a settings file's text"}, "example": "[Page_Scale]\n Output_Layouts=12\n"}}},
        "responses": {"200": {"$ref": "#/components/responses/Written"}, "400": {"$ref": "#/components/responses/BadRequest"}, "401": {"$ref": "#/components/responses/Unauthorized"}, "404": {"$ref": "#/components/responses/NotFound"}, "413": {"$ref": "#/components/responses/TooLarge"}, "429": {"$ref": "#/components/responses/Busy"}}
      }
    },
    "/api/v1/devices/{ip}/custom/{slot}": {
      "post": {
        "summary": "stores the device's current configuration in its custom slot 1 or 2",
        "parameters": [{"$ref": "#/components/parameters/ip"}, {"name": "slot", "in": "path", "required": true, "schema": {"type": "integer", "enum": [1, 2]}, "example": 1}],
        "responses": {"200": {"$ref": "#/components/responses/Written"}, "401": {"$ref": "#/components/responses/Unauthorized"}, "404": {"$ref": "#/components/responses/NotFound"}, "429": {"$ref": "#/components/responses/Busy"}}
      }
    },
    "/api/v1/devices/{ip}/network": {
      "put": {
        "summary": "the device's address, mask and gateway",
        "parameters": [{"$ref": "#/components/parameters/ip"}],
        "requestBody": {"required": true, "content": {"application/json": {"schema": {"type": "object", "required": ["ip", "mask", "gateway"], "additionalProperties": false, "properties": {"ip": {"type": "string"}, "mask": {"type": "string"}, "gateway": {"type": "string"}}}, "example": {"ip": "127.0.0.2", "mask": "255.0.0.0", "gateway": "127.0.0.1"}}}},
        "responses": {"200": {"$ref": "#/components/responses/Written"}, "400": {"$ref": "#/components/responses/BadRequest"}, "401": {"$ref": "#/components/responses/Unauthorized"}, "404": {"$ref": "#/components/responses/NotFound"}, "413": {"$ref": "#/components/responses/TooLarge"}, "429": {"$ref": "#/components/responses/Busy"}}
      }
    }
  }
})json";

} // namespace

std::string_view OpenApiDocument() {
    return kDocument;
}

} // namespace kx::service
