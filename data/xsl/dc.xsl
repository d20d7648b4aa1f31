<?xml version="1.0" encoding="UTF-8"?>
<!-- A Dublin Core record as a labelled list. A record is any element holding
     Dublin Core elements, so oai_dc:dc, srw_dc:dc, dc:dc and a plain wrapper
     all show; elements are matched by local name, with or without the dc
     namespace. Written for the record view, which knows tables and simple CSS
     only. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="html" encoding="UTF-8" indent="no"/>

  <xsl:variable name="dcNames"
      select="' title creator subject description publisher contributor date type format identifier source language relation coverage rights '"/>

  <xsl:variable name="dcNamespace" select="'http://purl.org/dc/elements/1.1/'"/>

  <xsl:template match="/">
    <html>
      <head>
        <style type="text/css">
          body { font-family: sans-serif; font-size: 10pt; color: #1b1b1b; background-color: #ffffff; }
          h1 { font-size: 14pt; color: #1f3b63; margin-top: 4px; margin-bottom: 8px; }
          td { padding: 2px 6px; vertical-align: top; }
          td.label { color: #5f6b7a; font-weight: bold; white-space: nowrap; }
          p.none { color: #5f6b7a; font-style: italic; }
        </style>
      </head>
      <body>
        <!-- Elements in the Dublin Core namespace mark a record best; other
             wrappers in the document (an OAI header) may use the same names. -->
        <xsl:variable name="inNamespace" select="//*[*[namespace-uri() = $dcNamespace
            or starts-with(name(), 'dc:')]]"/>
        <xsl:variable name="records" select="$inNamespace | //*[not($inNamespace)]
            [*[contains($dcNames, concat(' ', local-name(), ' '))]]"/>
        <xsl:apply-templates select="$records"/>
        <xsl:if test="not($records)">
          <p class="none">This document holds no Dublin Core record.</p>
        </xsl:if>
      </body>
    </html>
  </xsl:template>

  <xsl:template match="*">
    <xsl:if test="position() &gt; 1"><hr/></xsl:if>
    <xsl:variable name="titles" select="*[local-name()='title'][normalize-space(.) != '']"/>
    <xsl:if test="$titles">
      <!-- Without the ISBD slash that leads to the statement of responsibility. -->
      <xsl:variable name="title" select="normalize-space($titles[1])"/>
      <h1>
        <xsl:choose>
          <xsl:when test="substring($title, string-length($title) - 1) = ' /'">
            <xsl:value-of select="substring($title, 1, string-length($title) - 2)"/>
          </xsl:when>
          <xsl:otherwise><xsl:value-of select="$title"/></xsl:otherwise>
        </xsl:choose>
      </h1>
    </xsl:if>
    <table cellspacing="0" cellpadding="3">
      <xsl:call-template name="row">
        <xsl:with-param name="label" select="'Other titles'"/>
        <xsl:with-param name="nodes" select="$titles[position() &gt; 1]"/>
      </xsl:call-template>
      <xsl:call-template name="row">
        <xsl:with-param name="label" select="'Creators'"/>
        <xsl:with-param name="nodes" select="*[local-name()='creator']"/>
      </xsl:call-template>
      <xsl:call-template name="row">
        <xsl:with-param name="label" select="'Contributors'"/>
        <xsl:with-param name="nodes" select="*[local-name()='contributor']"/>
      </xsl:call-template>
      <xsl:call-template name="row">
        <xsl:with-param name="label" select="'Date'"/>
        <xsl:with-param name="nodes" select="*[local-name()='date']"/>
      </xsl:call-template>
      <xsl:call-template name="row">
        <xsl:with-param name="label" select="'Publisher'"/>
        <xsl:with-param name="nodes" select="*[local-name()='publisher']"/>
      </xsl:call-template>
      <xsl:call-template name="row">
        <xsl:with-param name="label" select="'Subjects'"/>
        <xsl:with-param name="nodes" select="*[local-name()='subject']"/>
      </xsl:call-template>
      <xsl:call-template name="row">
        <xsl:with-param name="label" select="'Identifiers'"/>
        <xsl:with-param name="nodes" select="*[local-name()='identifier']"/>
      </xsl:call-template>
      <xsl:call-template name="row">
        <xsl:with-param name="label" select="'Description'"/>
        <xsl:with-param name="nodes" select="*[local-name()='description']"/>
      </xsl:call-template>
      <xsl:call-template name="row">
        <xsl:with-param name="label" select="'Type'"/>
        <xsl:with-param name="nodes" select="*[local-name()='type']"/>
      </xsl:call-template>
      <xsl:call-template name="row">
        <xsl:with-param name="label" select="'Language'"/>
        <xsl:with-param name="nodes" select="*[local-name()='language']"/>
      </xsl:call-template>
      <xsl:call-template name="row">
        <xsl:with-param name="label" select="'Format'"/>
        <xsl:with-param name="nodes" select="*[local-name()='format']"/>
      </xsl:call-template>
      <xsl:call-template name="row">
        <xsl:with-param name="label" select="'Source'"/>
        <xsl:with-param name="nodes" select="*[local-name()='source']"/>
      </xsl:call-template>
      <xsl:call-template name="row">
        <xsl:with-param name="label" select="'Relation'"/>
        <xsl:with-param name="nodes" select="*[local-name()='relation']"/>
      </xsl:call-template>
      <xsl:call-template name="row">
        <xsl:with-param name="label" select="'Coverage'"/>
        <xsl:with-param name="nodes" select="*[local-name()='coverage']"/>
      </xsl:call-template>
      <xsl:call-template name="row">
        <xsl:with-param name="label" select="'Rights'"/>
        <xsl:with-param name="nodes" select="*[local-name()='rights']"/>
      </xsl:call-template>
    </table>
  </xsl:template>

  <!-- One row with every value that has text, a line each; web addresses as links. -->
  <xsl:template name="row">
    <xsl:param name="label"/>
    <xsl:param name="nodes"/>
    <xsl:variable name="shown" select="$nodes[normalize-space(.) != '']"/>
    <xsl:if test="$shown">
      <tr>
        <td class="label"><xsl:value-of select="$label"/></td>
        <td>
          <xsl:for-each select="$shown">
            <xsl:variable name="value" select="normalize-space(.)"/>
            <xsl:if test="position() &gt; 1"><br/></xsl:if>
            <xsl:choose>
              <xsl:when test="starts-with($value, 'http://') or starts-with($value, 'https://')">
                <a href="{$value}"><xsl:value-of select="$value"/></a>
              </xsl:when>
              <xsl:otherwise><xsl:value-of select="$value"/></xsl:otherwise>
            </xsl:choose>
          </xsl:for-each>
        </td>
      </tr>
    </xsl:if>
  </xsl:template>
</xsl:stylesheet>
